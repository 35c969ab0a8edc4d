#pragma once

// Support: the small byte-text routines shared by the login, the stored settings
// and the sender number request. Texts are Windows-1252 byte strings; like the
// protocol they serve, the routines treat a zero byte as the end of the text.

#include <string>
#include <string_view>

namespace corvane {

// Fixed key text for the values kept in the registry and for the verification code.
inline constexpr std::string_view TRIGOLDEX = "TRIGOLDEX";

// XOR-scrambles `text` in place with the eight key values derived from the first
// nine bytes of `keyText` (missing key bytes count as zero). Stops before the
// first byte that is zero on entry. Applying it twice with one key restores the
// text unless a byte scrambled to zero.
void ScrambleText(std::string& text, std::string_view keyText);

// As ScrambleText, but over every byte of `bytes` whatever its value, so a value
// whose scrambled form holds a zero byte survives the round trip when its length
// is carried alongside (the registry's binary values do carry it).
void ScrambleBytes(std::string& bytes, std::string_view keyText);

// Each byte up to the first zero byte (at most 1023) as two upper-case hex digits.
std::string HexEncode(std::string_view text);

// Pairs of hex digits (either case) back to bytes; an odd last character is
// ignored, the pair "00" ends the result, at most 2047 bytes are produced. A pair
// is read as far as it holds hex digits ("4z" is 4); a pair with none is a zero byte.
std::string HexDecode(std::string_view text);

}  // namespace corvane
