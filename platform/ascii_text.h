#pragma once

// Small text helpers shared by the readers of the program's text files (INI
// file, registry file): blanks are spaces and tabs, and names match the way
// Windows matches them for plain ASCII letters. Bytes above 127 are compared
// as they are.

#include <string_view>

namespace corvane {

// `text` without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// 'A' to 'Z' become 'a' to 'z'; every other byte stays.
char LowerAscii(char c);

// Equal but for the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvane
