#include "messaging/editor_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FilterTypedCharacter, Table) {
    struct Case {
        unsigned char code;
        char expected;
    };
    const Case cases[] = {
        {163, '$'}, {8, '\b'},  {96, '\''}, {0, 0},     {9, 0},     {10, 0},
        {13, 0},    {27, 0},    {31, 0},    {32, ' '},  {'a', 'a'}, {'Z', 'Z'},
        {'$', '$'}, {'"', '"'}, {':', ':'}, {126, '~'}, {127, 127}, {128, 0},
        {0x80, 0},  {162, 0},   {164, 0},   {0xE9, 0},  {255, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterTypedCharacter(c.code), c.expected) << "code " << int(c.code);
    }
}

TEST(FilterTypedCharacter, OnlyPrintableAsciiAndBackspacePass) {
    for (int code = 0; code < 256; ++code) {
        const char got = FilterTypedCharacter(static_cast<unsigned char>(code));
        if (code == 8 || code == 163 || code == 96)
            continue;
        const bool kept = code >= 32 && code <= 127;
        EXPECT_EQ(got, kept ? static_cast<char>(code) : '\0') << "code " << code;
    }
}

TEST(MessageCounterText, Table) {
    struct Case {
        std::size_t n;
        std::string expected;
    };
    const Case cases[] = {
        {0, "0/160"},
        {57, "57/160"},
        {160, "160/160"},
        {161, "161/268 : 2 messages"},
        {268, "268/268 : 2 messages"},
        {269, "269/402 : 3 messages"},
        {798, "798/804 : 6 messages"},
        {804, "804/804 : 6 messages"},
        {805, "805/938 : 7 messages"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageCounterText(c.n), c.expected) << c.n;
}

}  // namespace
}  // namespace corvane
