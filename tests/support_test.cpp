#include <gtest/gtest.h>

#include "session/support.h"

namespace corvane {
namespace {

// A session key as the server hands it out: ten bytes, of which the first nine count.
const std::string kSessionKey = "\x9C\xFF\x01\x80\x7F\x10\xEE\x05\xAA\x33";

std::string Scrambled(std::string text, std::string_view key) {
    ScrambleText(text, key);
    return text;
}

TEST(ScrambleText, KeyValuesFollowTheFormula) {
    // Scrambling zero bytes shows the low bytes of k0..k7 themselves.
    // TRIGOLDEX: b = 84 82 73 71 79 76 68 69 88; ki = b(i+1)*(i+1) + bi*256, all below 7FFF:
    // k0 = 82 + 21504 = 21586 (52), k1 = 146 + 20992 (92), k2 = 213 + 18688 (D5),
    // k3 = 316 + 18176 (3C), k4 = 380 + 20224 (7C), k5 = 408 + 19456 (98),
    // k6 = 483 + 17408 (E3), k7 = 704 + 17664 (C0).
    std::string zeros(8, '\0');
    ScrambleBytes(zeros, TRIGOLDEX);
    EXPECT_EQ(zeros, "\x52\x92\xD5\x3C\x7C\x98\xE3\xC0");

    // Key bytes of 200 overflow 7FFF: ki = (200*(i+1) + 51200) - 32767 = 18433 + 200*(i+1):
    // 18633 (C9), 18833 (91), 19033 (59), 19233 (21), 19433 (E9), 19633 (B1), 19833 (79),
    // 20033 (41). Without the reduction k0 would be C8.
    std::string more(8, '\0');
    ScrambleBytes(more, std::string(9, '\xC8'));
    EXPECT_EQ(more, "\xC9\x91\x59\x21\xE9\xB1\x79\x41");
}

TEST(ScrambleText, TwoPassesRestoreTheText) {
    const std::string text = "secret password 1234 with \xA3 and more than eight bytes";
    for (const std::string& key : {std::string(TRIGOLDEX), kSessionKey}) {
        const std::string once = Scrambled(text, key);
        ASSERT_EQ(once.size(), text.size());
        ASSERT_EQ(once.find('\0'), std::string::npos) << "text unsuitable for this key";
        EXPECT_NE(once, text);
        EXPECT_EQ(Scrambled(once, key), text);
    }
}

TEST(ScrambleText, OnlyTheFirstNineKeyBytesCount) {
    std::string otherTenth = kSessionKey;
    otherTenth[9] = 'Z';
    EXPECT_EQ(Scrambled("abcdefghijkl", kSessionKey), Scrambled("abcdefghijkl", otherTenth));
    std::string otherNinth = kSessionKey;
    otherNinth[8] = 'Z';
    EXPECT_NE(Scrambled("abcdefghijkl", kSessionKey), Scrambled("abcdefghijkl", otherNinth));
}

TEST(ScrambleText, StopsAtAZeroByte) {
    // k3 of TRIGOLDEX is 3C, '<': the fourth byte scrambles to zero.
    const std::string text = "abc<defghij";
    const std::string once = Scrambled(text, TRIGOLDEX);
    ASSERT_EQ(once.size(), text.size());
    EXPECT_EQ(once[3], '\0');

    // A second pass stops there: the bytes before come back, the ones after stay scrambled.
    const std::string twice = Scrambled(once, TRIGOLDEX);
    EXPECT_EQ(twice.substr(0, 3), "abc");
    EXPECT_EQ(twice[3], '\0');
    EXPECT_EQ(twice.substr(4), once.substr(4));

    // Bytes after a zero that was there on entry are left alone too.
    EXPECT_EQ(Scrambled(std::string("\0xyz", 4), TRIGOLDEX), std::string("\0xyz", 4));
}

TEST(ScrambleBytes, RestoresATextWhoseScrambledFormHoldsAZero) {
    const std::string text = "abc<defghij";
    std::string bytes = text;
    ScrambleBytes(bytes, TRIGOLDEX);
    EXPECT_EQ(bytes, Scrambled(text, TRIGOLDEX));
    ScrambleBytes(bytes, TRIGOLDEX);
    EXPECT_EQ(bytes, text);
}

TEST(HexEncode, Cases) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"abc", "616263"},
        {"\n", "0A"},
        {"\xFF", "FF"},
        {"", ""},
        {"\x01\x7F\x80\xA3", "017F80A3"},
        {std::string("ab\0cd", 5), "6162"},  // a zero byte ends the text
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexEncode(c.text), c.expected) << c.text;
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(HexEncode, TakesAtMost1023Bytes) {
    EXPECT_EQ(HexEncode(std::string(1023, 'A')), Repeat("41", 1023));
    EXPECT_EQ(HexEncode(std::string(1024, 'A') + "B"), Repeat("41", 1023));
}

TEST(HexDecode, Cases) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"616263", "abc"},
        {"616", "a"},     // an odd last character is ignored
        {"610062", "a"},  // the pair 00 ends the result
        {"4a6B", "Jk"},   // digits of either case
        {"0A0a", "\n\n"},
        {"FFa3", "\xFF\xA3"},
        {"", ""},
        {"6", ""},
        {"41zz42", "A"},  // a pair without a hex digit is a zero byte, which ends the text
        {"4z41",
         "\x04"
         "A"},  // a pair is read as far as it holds hex digits
        {"z441", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexDecode(c.text), c.expected) << c.text;
}

TEST(HexDecode, ProducesAtMost2047Bytes) {
    EXPECT_EQ(HexDecode(Repeat("41", 2047)), std::string(2047, 'A'));
    EXPECT_EQ(HexDecode(Repeat("41", 3000)), std::string(2047, 'A'));
}

TEST(HexDecode, UndoesHexEncode) {
    std::string all;
    for (int code = 1; code < 256; ++code)
        all.push_back(static_cast<char>(code));
    EXPECT_EQ(HexDecode(HexEncode(all)), all);
}

}  // namespace
}  // namespace corvane
