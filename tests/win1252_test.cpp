#include <gtest/gtest.h>

#include <QStringDecoder>

#include "platform/win1252.h"

namespace corvane {
namespace {

TEST(Win1252, AgreesWithTheSystemsCodecOnEveryDefinedByte) {
    QStringDecoder decoder("windows-1252");
    ASSERT_TRUE(decoder.isValid());
    for (int code = 1; code < 256; ++code) {
        if (code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D)
            continue;  // undefined in Windows-1252; covered below
        const std::string byte(1, static_cast<char>(code));
        const QString expected = decoder.decode(QByteArray::fromStdString(byte));
        EXPECT_EQ(ToQString(byte), expected) << "byte " << code;
        EXPECT_EQ(FromQString(expected), byte) << "byte " << code;
    }
}

TEST(Win1252, MapsBytesToTheirCharacters) {
    struct Case {
        std::string bytes;
        char16_t expected;
    };
    const Case cases[] = {
        {"A", u'A'},         {"\x80", u'\u20AC'}, {"\xA3", u'\u00A3'}, {"\x9F", u'\u0178'},
        {"\x85", u'\u2026'}, {"\x81", u'\u0081'}, {"\x8D", u'\u008D'}, {"\x8F", u'\u008F'},
        {"\x90", u'\u0090'}, {"\x9D", u'\u009D'}, {"\xFF", u'\u00FF'}, {"\x7F", u'\u007F'},
    };
    for (const Case& c : cases) {
        const QString text = ToQString(c.bytes);
        ASSERT_EQ(text.size(), 1) << "byte " << int(static_cast<unsigned char>(c.bytes[0]));
        EXPECT_EQ(text[0].unicode(), c.expected)
            << "byte " << int(static_cast<unsigned char>(c.bytes[0]));
    }
}

TEST(Win1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int code = 1; code < 256; ++code)
        all.push_back(static_cast<char>(code));
    const QString text = ToQString(all);
    EXPECT_EQ(text.size(), 255);
    EXPECT_EQ(FromQString(text), all);
}

TEST(Win1252, PoundAndEuroRoundTrip) {
    const QString text = QString::fromUtf8(
        "\xC2\xA3"
        "5 or \xE2\x82\xAC"
        "6");
    EXPECT_EQ(FromQString(text),
              "\xA3"
              "5 or \x80"
              "6");
    EXPECT_EQ(ToQString("\xA3"
                        "5 or \x80"
                        "6"),
              text);
}

TEST(Win1252, CharacterWithoutAWindows1252FormBecomesQuestionMark) {
    struct Case {
        QString text;
        std::string expected;
    };
    const Case cases[] = {
        {QString::fromUtf8("a\xC4\x81z"), "a?z"},                              // U+0101
        {QString::fromUtf8("\xE2\x82\xAC\xE4\xB8\xAD\xC2\xA3"), "\x80?\xA3"},  // U+4E2D
        {QString::fromUtf8("x\xF0\x9F\x98\x80y"), "x?y"},                      // one emoji, one "?"
        {QString(QChar(0xD800)) + "q", "?q"},                                  // a lone surrogate
        {QString(QChar(0x001A)) + QString::fromUtf8("\xC4\x81"), "\x1A?"},     // real SUB kept
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FromQString(c.text), c.expected) << c.text.toStdString();
    }
}

TEST(Win1252, EmptyAndNulBytes) {
    EXPECT_TRUE(ToQString("").isEmpty());
    EXPECT_EQ(FromQString(QString()), "");
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(FromQString(ToQString(withNul)), withNul);
}

}  // namespace
}  // namespace corvane
