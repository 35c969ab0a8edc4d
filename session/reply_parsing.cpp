#include "session/reply_parsing.h"

#include <climits>

#include "platform/ascii_text.h"
#include "session/support.h"

namespace corvane {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string TrimReplyLine(std::string_view line) {
    return std::string(TrimControls(line));
}

int ReplyCodeOf(std::string_view line) {
    if (line.size() < 3)
        return 0;
    const long value = ParseLeadingLong(line);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::string ExtractSessionKey(std::string_view line) {
    if (line.size() <= 4)
        return {};
    return HexDecode(line.substr(4));
}

long ParseLeadingLong(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate towards the sign's side so that LONG_MIN itself is reachable.
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (negative) {
            if (value < (LONG_MIN + digit) / 10)
                return LONG_MIN;
            value = value * 10 - digit;
        } else {
            if (value > (LONG_MAX - digit) / 10)
                return LONG_MAX;
            value = value * 10 + digit;
        }
    }
    return value;
}

}  // namespace corvane
