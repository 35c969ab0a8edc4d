#pragma once

// Bringing user input into the forms the gateway expects: numbers in international
// digits form, and message text with the protocol's special characters escaped.

#include <string>
#include <string_view>

namespace corvane {

// Longest message text the gateway line carries after escaping.
inline constexpr std::size_t kEscapedTextLimit = 2047;

// A mobile number as people write it (spaces, "+", a trunk 0, a 00 prefix) in
// international form: country code first, no "+", no spaces, no trunk zero. Only
// the first 128 characters are looked at; nothing else is checked or removed.
std::string NormaliseNumber(std::string_view number, std::string_view defaultCountryCode);

// Replaces `"` by "$b", "$" by "$a" and ":" by "$c"; everything else is copied.
// The result stops before the first character (or escape) that would take it past
// kEscapedTextLimit, so an escape is never cut in half.
std::string EscapeMessageText(std::string_view text);

}  // namespace corvane
