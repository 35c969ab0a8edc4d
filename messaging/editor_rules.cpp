#include "messaging/editor_rules.h"

namespace corvane {

namespace {

constexpr std::size_t kSingleMessageLength = 160;
// A message longer than one SMS is sent in parts of this size.
constexpr std::size_t kPartLength = 134;

}  // namespace

char FilterTypedCharacter(unsigned char code) {
    if (code == 163)
        return '$';
    if (code == 8)
        return '\b';
    if (code == 96)
        return '\'';
    if (code < 32 || code >= 128)
        return 0;
    return static_cast<char>(code);
}

std::string MessageCounterText(std::size_t n) {
    if (n <= kSingleMessageLength)
        return std::to_string(n) + "/160";
    const std::size_t parts = (n + kPartLength - 1) / kPartLength;
    return std::to_string(n) + "/" + std::to_string(parts * kPartLength) + " : " +
           std::to_string(parts) + " messages";
}

}  // namespace corvane
