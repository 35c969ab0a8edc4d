#include "messaging/number_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(NormaliseNumber, Cases) {
    struct Case {
        std::string number;
        std::string countryCode;
        std::string expected;
    };
    const Case cases[] = {
        {"07700 900123", "44", "447700900123"},      // trunk zero replaced
        {"+44 7700 900123", "44", "447700900123"},   // only stripped
        {"0044 7700 900123", "44", "447700900123"},  // international prefix dropped
        {"440 7700 900123", "44", "447700900123"},   // country code kept, trunk zero dropped
        {"4407700900123", "44", "447700900123"},
        {"+440 7700 900123", "44", "4407700900123"},  // the plus keeps the 440 rule away
        {" 07700900123", "44", "447700900123"},       // the space keeps nothing away from rule 3
        {"0 0 44 7700", "44", "440447700"},           // separated zeros are a trunk zero
        {"07700-900123", "44", "447700-900123"},      // the dash stays
        {"(0)7700 900123", "44", "(0)7700900123"},
        {"", "44", ""},
        {"+", "44", ""},
        {"   ", "44", ""},
        {"0", "44", "44"},
        {"00", "44", ""},
        {"440", "44", "44"},
        {"087 1234567", "353", "353871234567"},
        {"07700 900123", "353", "3537700900123"},
        {"00353 87 1234567", "353", "353871234567"},
        {"440 7700 900123", "353", "447700900123"},  // the 440 rule always gives 44
        {"+353 87 1234567", "353", "353871234567"},
        {"087 1234567", "", "871234567"},  // the country code is used as stored
        {"7700 abc", "44", "7700abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormaliseNumber(c.number, c.countryCode), c.expected)
            << "<" << c.number << "> with " << c.countryCode;
    }
}

TEST(NormaliseNumber, LooksAtTheFirst128CharactersOnly) {
    const std::string digits(127, '1');
    EXPECT_EQ(NormaliseNumber("0" + digits + "999", "44"), "44" + digits);
    EXPECT_EQ(NormaliseNumber(std::string(127, ' ') + "5" + "6", "44"), "5");
    EXPECT_EQ(NormaliseNumber(std::string(128, ' ') + "0123", "44"), "");
}

TEST(EscapeMessageText, Cases) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"Meeting moved to 3pm, room 4", "Meeting moved to 3pm, room 4"},
        {":$\"", "$c$a$b"},
        {"", ""},
        {"$a", "$aa"},  // the dollar sign of an escape-looking text is escaped once
        {"Cost: $5 \"each\"", "Cost$c $a5 $beach$b"},
        {"line\r\nbreak, 'quote' \xA3\x80", "line\r\nbreak, 'quote' \xA3\x80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EscapeMessageText(c.text), c.expected) << c.text;
}

TEST(EscapeMessageText, StopsAt2047CharactersWithoutCuttingAnEscape) {
    EXPECT_EQ(EscapeMessageText(std::string(2047, 'a')), std::string(2047, 'a'));
    EXPECT_EQ(EscapeMessageText(std::string(3000, 'a')), std::string(2047, 'a'));

    // 2046 plain characters leave room for one more character but not for an escape.
    EXPECT_EQ(EscapeMessageText(std::string(2046, 'a') + ":b"), std::string(2046, 'a'));
    EXPECT_EQ(EscapeMessageText(std::string(2045, 'a') + ":b"), std::string(2045, 'a') + "$c");

    // The longest the editor allows, all escapes, fits whole: 804 characters give 1608.
    std::string escapes;
    for (int i = 0; i < 268; ++i)
        escapes += ":$\"";
    EXPECT_EQ(EscapeMessageText(escapes).size(), 1608u);
    EXPECT_EQ(EscapeMessageText(std::string(1500, '$')).size(), 2046u);  // 1023 whole escapes
}

}  // namespace
}  // namespace corvane
