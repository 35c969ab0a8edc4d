#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "session/reply_parsing.h"

namespace corvane {
namespace {

struct TrimCase {
    std::string line;
    std::string trimmed;
};

TEST(TrimReplyLine, StripsBlanksAndControlCharactersAtBothEnds) {
    const TrimCase cases[] = {
        {"250 1234\r\n", "250 1234"},
        {"  220 ready  \r\n", "220 ready"},
        {"\t\x01"
         "223 AB\x1f",
         "223 AB"},
        {std::string("221 ok\0\n", 8), "221 ok"},
        {"260 1  2\n", "260 1  2"},  // inner blanks stay
        {"\xA3"
         "5 credit \n",
         "\xA3"
         "5 credit"},  // bytes above 127 are text
        {" \r\n\t ", ""},
        {"", ""},
    };
    for (const TrimCase& c : cases)
        EXPECT_EQ(TrimReplyLine(c.line), c.trimmed) << c.line;
}

struct CodeCase {
    std::string line;
    int code;
};

TEST(ReplyCodeOf, ReadsTheLeadingNumberOfLinesOfThreeCharactersOrMore) {
    const CodeCase cases[] = {
        {"250 1234", 250},
        {"220", 220},
        {"25", 0},  // two characters
        {"", 0},
        {"abc", 0},  // letters
        {"OK 250", 0},
        {"250-more follows", 250},  // code followed by a hyphen
        {"2251", 2251},             // four digits are read whole
        {"-12 x", -12},
        {"+25", 25},
        {"2a5", 2},
        {"99999999999999999999 huge", INT_MAX},
        {"-99999999999999999999", INT_MIN},
    };
    for (const CodeCase& c : cases)
        EXPECT_EQ(ReplyCodeOf(c.line), c.code) << c.line;
}

TEST(ExtractSessionKey, DecodesTheHexAfterTheCodeAndOneSpace) {
    EXPECT_EQ(ExtractSessionKey("223 616263"), "abc");
    EXPECT_EQ(ExtractSessionKey("223 0102030405060708090A0B"),
              "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B");
    EXPECT_EQ(ExtractSessionKey("223 6162006364"), "ab");  // a zero byte ends the key
    EXPECT_EQ(ExtractSessionKey("223 "), "");
    EXPECT_EQ(ExtractSessionKey("223"), "");
    EXPECT_EQ(ExtractSessionKey(""), "");
}

struct LongCase {
    std::string text;
    long value;
};

TEST(ParseLeadingLong, FollowsAtolWithoutOverflow) {
    const LongCase cases[] = {
        {"1234", 1234},
        {" 1234", 1234},
        {"\t\n\v\f\r 77 rest", 77},
        {"0001234", 1234},
        {"-42", -42},
        {"+42", 42},
        {"", 0},
        {" ", 0},
        {"abc", 0},
        {"- 5", 0},
        {"12abc", 12},
        {"\x01"
         "5",
         0},  // only the C white space is skipped
        {"9223372036854775807", LONG_MAX},
        {"9223372036854775808", LONG_MAX},
        {"123456789012345678901234567890", LONG_MAX},
        {"-9223372036854775808", LONG_MIN},
        {"-9223372036854775809", LONG_MIN},
    };
    for (const LongCase& c : cases)
        EXPECT_EQ(ParseLeadingLong(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace corvane
