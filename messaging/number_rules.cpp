#include "messaging/number_rules.h"

namespace corvane {

namespace {

constexpr std::size_t kNumberInputLimit = 128;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string NormaliseNumber(std::string_view number, std::string_view defaultCountryCode) {
    number = number.substr(0, kNumberInputLimit);
    std::string stripped;
    stripped.reserve(number.size());
    for (const char c : number) {
        if (c != ' ' && c != '+')
            stripped.push_back(c);
    }

    // The first two rules look at the number as typed, so "+440..." and "0 0..." miss them.
    if (StartsWith(number, "440"))
        return "44" + stripped.substr(std::min<std::size_t>(3, stripped.size()));
    if (StartsWith(number, "00"))
        return stripped.substr(std::min<std::size_t>(2, stripped.size()));
    if (StartsWith(stripped, "0"))
        return std::string(defaultCountryCode) + stripped.substr(1);
    return stripped;
}

std::string EscapeMessageText(std::string_view text) {
    std::string out;
    out.reserve(std::min(text.size() + text.size() / 8, kEscapedTextLimit));
    for (const char c : text) {
        std::string_view piece(&c, 1);
        if (c == '"')
            piece = "$b";
        else if (c == '$')
            piece = "$a";
        else if (c == ':')
            piece = "$c";
        if (out.size() + piece.size() > kEscapedTextLimit)
            break;
        out += piece;
    }
    return out;
}

}  // namespace corvane
