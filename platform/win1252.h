#pragma once

// The program works on Windows-1252 byte strings everywhere except in widgets;
// these two functions are the crossing between the two worlds.

#include <QString>
#include <string>
#include <string_view>

namespace corvane {

// Windows-1252 bytes as a QString. Every byte has a character: the five bytes
// 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so on,
// so that a text survives the way back unchanged.
QString ToQString(std::string_view cp1252);

// A QString as Windows-1252 bytes; a character with no Windows-1252 form
// (a surrogate pair counts as one character) becomes "?".
std::string FromQString(const QString& text);

}  // namespace corvane
