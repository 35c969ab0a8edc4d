#include "platform/registry_text.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/win1252.h"

namespace corvane {

namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kRegedit5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kWhitespace = " \t";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view TrimLeft(std::string_view text) {
    const auto start = text.find_first_not_of(kWhitespace);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads 1 to `maxDigits` hex digits making up the whole of `text`.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

// A Unicode export is brought into Windows-1252, as all the program's text is.
std::string DecodeFileText(std::string_view text) {
    if (text.starts_with("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return FromQString(decoder(QByteArrayView(text.substr(2))));
    }
    if (text.starts_with("\xEF\xBB\xBF")) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        return FromQString(decoder(QByteArrayView(text.substr(3))));
    }
    return std::string(text);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Reads a quoted text starting at text[pos] == '"'; `pos` ends after the closing quote.
// Only \\ and \" are escapes; any other backslash stands for itself.
std::optional<std::string> ParseQuoted(std::string_view text, std::size_t& pos) {
    std::string out;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            pos = i + 1;
            return out;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            out.push_back(text[++i]);
        } else {
            out.push_back(c);
        }
    }
    return std::nullopt;
}

std::optional<std::string> ParseByteList(std::string_view list) {
    std::string bytes;
    list = TrimBlanks(list);
    if (list.empty())
        return bytes;
    while (true) {
        const auto comma = list.find(',');
        const auto byte = ParseHexNumber(TrimBlanks(list.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
        if (comma == std::string_view::npos)
            return bytes;
        list.remove_prefix(comma + 1);
    }
}

// The text of a hex(1) or hex(2) string: 8-bit in REGEDIT4, UTF-16 in Version 5
// exports; either ends at its terminating zero.
std::string StringFromHexBytes(const std::string& bytes, bool utf16) {
    if (!utf16)
        return bytes.substr(0, bytes.find('\0'));
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return FromQString(QString::fromStdU16String(units));
}

// Reads the part after "=" into `value`; false when it cannot be read or is a deletion.
bool ParseValueData(std::string_view data, bool utf16Strings, RegistryValue& value) {
    data = TrimBlanks(data);
    if (data.starts_with('"')) {
        std::size_t pos = 0;
        auto text = ParseQuoted(data, pos);
        if (!text || !TrimBlanks(data.substr(pos)).empty())
            return false;
        value.type = RegistryType::String;
        value.data = text->substr(0, text->find('\0'));  // a zero byte ends a string
        return true;
    }
    if (StartsWithIgnoringCase(data, "dword:")) {
        const auto number = ParseHexNumber(TrimBlanks(data.substr(6)), 8);
        if (!number)
            return false;
        value.type = RegistryType::Integer;
        value.number = *number;
        return true;
    }
    if (StartsWithIgnoringCase(data, "hex:")) {
        auto bytes = ParseByteList(data.substr(4));
        if (!bytes)
            return false;
        value.type = RegistryType::Binary;
        value.data = std::move(*bytes);
        return true;
    }
    if (StartsWithIgnoringCase(data, "hex(")) {
        const auto close = data.find("):");
        if (close == std::string_view::npos)
            return false;
        const auto kind = ParseHexNumber(data.substr(4, close - 4), 8);
        auto bytes = ParseByteList(data.substr(close + 2));
        if (!kind || !bytes)
            return false;
        if (*kind == 1 || *kind == 2) {
            value.type = RegistryType::String;
            value.data = StringFromHexBytes(*bytes, utf16Strings);
        } else if (*kind == 3) {
            value.type = RegistryType::Binary;
            value.data = std::move(*bytes);
        } else if (*kind == 4 && bytes->size() == 4) {
            value.type = RegistryType::Integer;
            value.number = 0;
            for (int i = 3; i >= 0; --i) {
                value.number = value.number << 8 | static_cast<unsigned char>((*bytes)[i]);
            }
        } else {
            value.type = RegistryType::Other;
            value.data = std::string(data);
        }
        return true;
    }
    return false;
}

// Reads the value name at the start of a value line; `pos` ends after the "=".
std::optional<std::string> ParseValueName(std::string_view line, std::size_t& pos) {
    std::string name;
    if (line.starts_with('@')) {
        pos = 1;
    } else {
        pos = 0;
        auto quoted = ParseQuoted(line, pos);
        if (!quoted)
            return std::nullopt;
        name = std::move(*quoted);
    }
    while (pos < line.size() && kWhitespace.find(line[pos]) != std::string_view::npos)
        ++pos;
    if (pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    ++pos;
    return name;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendByteList(std::string& out, std::string_view bytes) {
    char pair[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
        out += pair;
    }
}

void AppendValueLine(std::string& out, const RegistryValue& value) {
    if (value.name.empty()) {
        out.push_back('@');
    } else {
        AppendQuoted(out, value.name);
    }
    out.push_back('=');
    switch (value.type) {
        case RegistryType::String:
            if (value.data.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
                AppendQuoted(out, value.data);
            } else {
                out += "hex(1):";
                AppendByteList(out, std::string_view(value.data.c_str(), value.data.size() + 1));
            }
            break;
        case RegistryType::Integer: {
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%08x", static_cast<unsigned>(value.number));
            out += digits;
            break;
        }
        case RegistryType::Binary:
            out += "hex:";
            AppendByteList(out, value.data);
            break;
        case RegistryType::Other:
            out += value.data;
            break;
    }
    out.push_back('\n');
}

}  // namespace

RegistryValue* RegistryKey::FindValue(std::string_view name) {
    for (RegistryValue& value : values) {
        if (EqualsIgnoringCase(value.name, name))
            return &value;
    }
    return nullptr;
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->FindValue(name);
}

void RegistryKey::SetValue(RegistryValue value) {
    if (RegistryValue* existing = FindValue(value.name)) {
        *existing = std::move(value);
    } else {
        values.push_back(std::move(value));
    }
}

RegistryKey* RegistryDocument::FindKey(std::string_view path) {
    for (RegistryKey& key : keys) {
        if (EqualsIgnoringCase(key.path, path))
            return &key;
    }
    return nullptr;
}

const RegistryKey* RegistryDocument::FindKey(std::string_view path) const {
    return const_cast<RegistryDocument*>(this)->FindKey(path);
}

RegistryKey& RegistryDocument::AddKey(std::string_view path) {
    if (RegistryKey* existing = FindKey(path))
        return *existing;
    keys.push_back(RegistryKey{std::string(path), {}});
    return keys.back();
}

RegistryDocument ParseRegistryText(std::string_view fileText) {
    const std::string text = DecodeFileText(fileText);
    const std::vector<std::string_view> lines = SplitLines(text);
    RegistryDocument document;
    RegistryKey* key = nullptr;
    bool utf16Strings = false;
    bool seenContent = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = TrimBlanks(lines[i]);
        if (line.empty() || line.starts_with(';'))
            continue;
        if (!seenContent) {
            seenContent = true;
            if (line == kRegedit4)
                continue;
            if (line == kRegedit5) {
                utf16Strings = true;
                continue;
            }
        }
        if (line.starts_with('[')) {
            key = nullptr;
            if (!line.ends_with(']') || line.size() < 3 || line[1] == '-')
                continue;
            key = &document.AddKey(line.substr(1, line.size() - 2));
            continue;
        }
        if (key == nullptr || !(line.starts_with('"') || line.starts_with('@')))
            continue;
        std::size_t pos = 0;
        auto name = ParseValueName(line, pos);
        if (!name)
            continue;
        std::string data(TrimLeft(line.substr(pos)));
        // Windows wraps long hex values over lines that end in a backslash.
        while (StartsWithIgnoringCase(data, "hex") && data.ends_with('\\') &&
               i + 1 < lines.size()) {
            data.pop_back();
            data += TrimBlanks(lines[++i]);
        }
        RegistryValue value;
        value.name = std::move(*name);
        if (ParseValueData(data, utf16Strings, value))
            key->SetValue(std::move(value));
    }
    return document;
}

std::string FormatRegistryText(const RegistryDocument& document) {
    std::string out(kRegedit4);
    out.push_back('\n');
    for (const RegistryKey& key : document.keys) {
        out += "\n[";
        out += key.path;
        out += "]\n";
        for (const RegistryValue& value : key.values)
            AppendValueLine(out, value);
    }
    return out;
}

bool IsWritableRegistryName(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace corvane
