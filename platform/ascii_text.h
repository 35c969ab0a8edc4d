#pragma once

// Small text helpers: trimming, and names that match the way Windows matches
// them for plain ASCII letters. Bytes above 127 are compared as they are.

#include <string_view>

namespace corvane {

// `text` without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// `text` without leading and trailing bytes of code 0 to 32 (spaces, line ends,
// tabs and other control characters), as replies and typed numbers are trimmed.
std::string_view TrimControls(std::string_view text);

// 'A' to 'Z' become 'a' to 'z'; every other byte stays.
char LowerAscii(char c);

// Equal but for the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvane
