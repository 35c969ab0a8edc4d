#include "platform/win1252.h"

#include <array>

namespace corvane {

namespace {

// Windows-1252 is Latin-1 except for 0x80 to 0x9F. The five bytes it leaves
// undefined keep the control character of the same code, so every byte has a
// character and comes back unchanged. A table of our own converts without
// setting up a codec per call, which the list of a large address book feels.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t CharacterOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

// The byte of a character, or '?' when Windows-1252 has none.
char ByteOf(char16_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QString ToQString(std::string_view cp1252) {
    QString text(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : cp1252)
        *out++ = QChar(CharacterOf(static_cast<unsigned char>(byte)));
    return text;
}

std::string FromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text[i];
        // A surrogate pair is one character beyond Windows-1252: one "?".
        if (character.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        out.push_back(ByteOf(character.unicode()));
    }
    return out;
}

}  // namespace corvane
