#pragma once

// The message editor's rules, apart from the widget: which typed characters it
// takes, and the character and part counter shown in the status bar.

#include <cstddef>
#include <string>

namespace corvane {

// The character to insert for a typed Windows-1252 code, or 0 to discard the key
// stroke. Only printable ASCII (and backspace) gets through; the pound sign becomes
// a dollar sign and the backquote an apostrophe.
char FilterTypedCharacter(unsigned char code);

// "n/160" while the text fits one SMS, else "n/<parts*134> : <parts> messages".
std::string MessageCounterText(std::size_t n);

}  // namespace corvane
