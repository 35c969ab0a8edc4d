#pragma once

// Comma text: the one-line field list of every data file entry and of the
// arguments of the MESS and CLOG commands.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Splits one entry into its fields. Blanks (codes 1 to 32) outside quotes separate
// fields as a comma does; `a,,b` gives three fields, `a,` two, `a b` two. A NUL
// ends the text. Malformed quoting never fails: an unclosed quote runs to the end.
std::vector<std::string> SplitCommaText(std::string_view text);

// Joins fields with ",". A field holding a space, a control character (1 to 31), a
// double quote or a comma is quoted with inner quotes doubled; bytes 0x80 and up
// never cause quoting. A single empty field is written as "".
std::string JoinCommaText(const std::vector<std::string>& fields);

}  // namespace corvane
