#pragma once

// Reading the gateway's reply lines: the trimming every read applies, the reply
// code at the front of a line, the session key in the answer to CRYP, and the
// leading number of a text as the C library's atol reads it, without its
// undefined behaviour on overflow.

#include <string>
#include <string_view>

namespace corvane {

// The line without its leading and trailing bytes of code 32 or less (blanks, CR,
// LF, tabs and other control characters).
std::string TrimReplyLine(std::string_view line);

// The number at the start of the line (optional sign, as many digits as follow);
// 0 for a line shorter than three characters or one that does not start with a
// number. A number too large for an int is clamped to INT_MAX or INT_MIN.
int ReplyCodeOf(std::string_view line);

// The session key of a "223 <hex>" line: HexDecode of everything after the first
// four characters; empty for a line of four characters or fewer.
std::string ExtractSessionKey(std::string_view line);

// atol: leading white space (space, \t, \n, \v, \f, \r) skipped, an optional sign,
// then decimal digits up to the first other character; 0 when there are none.
// Overflow gives LONG_MAX or LONG_MIN instead of undefined behaviour.
long ParseLeadingLong(std::string_view text);

}  // namespace corvane
