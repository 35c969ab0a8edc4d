#include "contacts/comma_text.h"

namespace corvane {

namespace {

bool IsBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

// Reads a quoted field starting at text[pos] == '"'; leaves pos after the closing quote.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
    std::string field;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                field.push_back('"');
                pos += 2;
                continue;
            }
            ++pos;
            return field;
        }
        field.push_back(c);
        ++pos;
    }
    return field;
}

bool NeedsQuotes(const std::string& field) {
    for (const char c : field) {
        const auto code = static_cast<unsigned char>(c);
        if (code == 0)
            return false;
        if (code <= 32 || c == '"' || c == ',')
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            fields.push_back(ReadQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && static_cast<unsigned char>(text[pos]) > 32 &&
                   text[pos] != ',') {
                ++pos;
            }
            fields.emplace_back(text.substr(start, pos - start));
        }
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos < text.size() && text[pos] == ',') {
            if (pos + 1 == text.size())
                fields.emplace_back();
            do {
                ++pos;
            } while (pos < text.size() && IsBlank(text[pos]));
        }
    }
    return fields;
}

std::string JoinCommaText(const std::vector<std::string>& fields) {
    if (fields.size() == 1 && fields.front().empty())
        return "\"\"";
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        const std::string& field = fields[i];
        if (!NeedsQuotes(field)) {
            out += field;
            continue;
        }
        out.push_back('"');
        for (const char c : field) {
            if (c == '"')
                out.push_back('"');
            out.push_back(c);
        }
        out.push_back('"');
    }
    return out;
}

}  // namespace corvane
