#include <gtest/gtest.h>

#include <string>

#include "platform/ascii_text.h"

namespace corvane {
namespace {

TEST(EqualsIgnoringCase, FoldsOnlyTheAsciiLetters) {
    struct Case {
        std::string a;
        std::string b;
        bool equal;
    };
    const Case cases[] = {
        {"ServerIPPort", "serveripport", true},
        {"", "", true},
        {"DefaultSetup", "DefaultSetu", false},
        // Neighbours of the letters differ from each other by the case bit alone.
        {"@", "`", false},
        {"[", "{", false},
        {"^", "~", false},
        // Windows-1252 letters above 127 are compared as they are.
        {"Caf\xc9", "caf\xe9", false},
        {"Caf\xe9", "CAF\xe9", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(TrimControls, TakesEveryByteUpToSpaceFromBothEnds) {
    const std::pair<std::string, std::string> cases[] = {
        {" 07700 900123 ", "07700 900123"},
        {"\r\n250 ok\r\n", "250 ok"},
        {std::string("\0\x1f+44\t", 5), "+44"},
        {" \xa0x\x80 ", "\xa0x\x80"},  // bytes above 127 are no blanks
        {"\r\n \t", ""},
        {"", ""},
    };
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(TrimControls(text), trimmed) << text;
}

TEST(TrimBlanks, TakesSpacesAndTabsFromBothEnds) {
    const std::pair<std::string, std::string> cases[] = {
        {" \t key = value \t", "key = value"},
        {"   ", ""},
        {"", ""},
        {"x", "x"},
        // Line ends are the reader's business, not blanks.
        {"value\r", "value\r"},
        {"\nvalue", "\nvalue"},
    };
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(TrimBlanks(text), trimmed) << text;
}

}  // namespace
}  // namespace corvane
