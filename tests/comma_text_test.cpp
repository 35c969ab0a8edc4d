#include <gtest/gtest.h>

#include "contacts/comma_text.h"

namespace corvane {
namespace {

using Fields = std::vector<std::string>;

std::string Show(const Fields& fields) {
    std::string out = "[";
    for (const std::string& field : fields)
        out += "<" + field + ">";
    return out + "]";
}

TEST(SplitCommaText, Cases) {
    struct Case {
        std::string text;
        Fields expected;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {",a", {"", "a"}},
        {"a b", {"a", "b"}},  // blanks outside quotes separate fields
        {"a \t b", {"a", "b"}},
        {"a , b", {"a", "b"}},
        {"", {}},
        {"   ", {}},
        {"\"\"", {""}},
        {"\"\",\"\"", {"", ""}},
        {"  \x01\x1F a", {"a"}},     // leading blanks skipped
        {"a, ", {"a"}},              // the comma is not the last character
        {"a,  ,b", {"a", "", "b"}},  // blanks after a comma are skipped
        {"\"a b\",c", {"a b", "c"}},
        {"\"x,y\"", {"x,y"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"a\"  ,  \"b\"", {"a", "b"}},
        {"\"open", {"open"}},  // an unclosed quote runs to the end
        {"\"open,  two", {"open,  two"}},
        {"\"ab\"cd", {"ab", "cd"}},  // text after a closing quote starts a field
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
        {"a\"b", {"a\"b"}},  // a quote inside an unquoted field is kept
        {"caf\xE9,\xA3\x80", {"caf\xE9", "\xA3\x80"}},
        {"a\x7F"
         "b",
         {"a\x7F"
          "b"}},
        {std::string("a,b\0,c", 6), {"a", "b"}},  // a NUL ends the text
        {std::string("\"a\0b\"", 5), {"a"}},
        {"Team,", {"Team", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitCommaText(c.text), c.expected)
            << "text <" << c.text << "> gave " << Show(SplitCommaText(c.text));
    }
}

TEST(JoinCommaText, Cases) {
    struct Case {
        Fields fields;
        std::string expected;
    };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},  // a lone empty field
        {{"", ""}, ","},
        {{"a", "", "b"}, "a,,b"},
        {{"a"}, "a"},
        {{"a b"}, "\"a b\""},
        {{" lead"}, "\" lead\""},
        {{"x,y"}, "\"x,y\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"a\"b"}, "\"a\"\"b\""},
        {{"\x01"}, "\"\x01\""},
        {{"tab\there"}, "\"tab\there\""},
        {{"a\x1F"}, "\"a\x1F\""},
        {{"a\x7F"}, "a\x7F"},
        {{"caf\xE9", "\xA0", "\x80\xFF"}, "caf\xE9,\xA0,\x80\xFF"},  // 0x80 and up never quote
        {{"Team", "Front Desk", "Stores"}, "Team,\"Front Desk\",Stores"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JoinCommaText(c.fields), c.expected) << Show(c.fields);
    }
}

TEST(CommaText, LogEntryLine) {
    const std::string line =
        "1042,\"05 May 2008 14:03:09\",QUEUED,,\"Front Desk\",\"Meeting moved to 3pm\"";
    const Fields fields = {"1042", "05 May 2008 14:03:09", "QUEUED",
                           "",     "Front Desk",           "Meeting moved to 3pm"};
    EXPECT_EQ(SplitCommaText(line), fields);
    EXPECT_EQ(JoinCommaText(fields), line);
}

TEST(CommaText, AwkwardFieldsRoundTrip) {
    const Fields awkward[] = {
        {""},
        {"", ""},
        {"a", ""},
        {"", "a"},
        {"", "", ""},
        {" leading", "trailing ", "  "},
        {"\"", "\"\"", "\"quoted\"", "a\"b"},
        {",", ",,", "a,b", ",lead"},
        {"tab\there", "\x01", "\x1F\x1F", "bell\a"},
        {"caf\xE9",
         "\xA3"
         "5",
         "\x80", "\xFF\xA0"},
        {"$a$b$c", "'`", "a\x7F"},
        {"Front Desk", "447700900123"},
        {"line\r\nbreak", "cr\ronly"},
    };
    for (const Fields& fields : awkward) {
        const std::string text = JoinCommaText(fields);
        EXPECT_EQ(SplitCommaText(text), fields) << Show(fields) << " as <" << text << ">";
    }
}

}  // namespace
}  // namespace corvane
