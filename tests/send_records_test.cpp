#include <gtest/gtest.h>

#include <QLocale>

#include "messaging/send_records.h"

namespace corvane {
namespace {

TEST(ReplaceLineBreaks, EachBreakBecomesOneSpace) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"no breaks", "no breaks"}, {"a\r\nb", "a b"},      {"a\rb", "a b"},        {"a\nb", "a b"},
        {"a\n\rb", "a  b"},         {"a\r\n\r\nb", "a  b"}, {"\r\nend\n", " end "}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceLineBreaks(c.in), c.out) << c.in;
}

TEST(BuildMessLine, JoinsTheSixFieldsAsCommaText) {
    EXPECT_EQ(BuildMessLine(1, "447700900123", "Hello <Ann>", "447700900999"),
              "MESS 0,V,1,447700900123,\"Hello <Ann>\",447700900999");
    // No sender number: the line ends with a comma.
    EXPECT_EQ(BuildMessLine(1, "447700900123", "Hi", ""), "MESS 0,V,1,447700900123,Hi,");
}

TEST(BuildLogEntry, WritesAQueuedEntryWithAnEmptyDeliveryTime) {
    QLocale::setDefault(QLocale::c());
    const QDateTime queued(QDate(2008, 5, 5), QTime(14, 3, 9));
    EXPECT_EQ(BuildLogEntry(1042, queued, "Front Desk", "Meeting moved to 3pm"),
              "1042,\"05 May 2008 14:03:09\",QUEUED,,\"Front Desk\",\"Meeting moved to 3pm\"");
    EXPECT_EQ(FormatLogTime(QDateTime(QDate(2026, 1, 9), QTime(7, 0, 0))), "09 Jan 2026 07:00:00");
}

TEST(MessageIdOf, ReadsTheNumberAfterTheCodeAsAtolDoes) {
    const struct {
        std::string reply;
        long id;
    } cases[] = {
        {"250 1234", 1234},  {"250", 0},
        {"250 ", 0},         {"250 0042", 42},
        {"250   77 ok", 77}, {"250 12abc", 12},
        {"250 abc", 0},      {"250-5", -5},
        {"2501234", 1234},   {"250 99999999999999999999", 9223372036854775807L},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageIdOf(c.reply), c.id) << c.reply;
}

TEST(JoinResultLines, SeparatesLinesWithASingleCarriageReturn) {
    EXPECT_EQ(JoinResultLines({"Ann - Sent OK", "Bob - Error: 550 No"}),
              "Ann - Sent OK\rBob - Error: 550 No");
    EXPECT_EQ(JoinResultLines({}), "");
}

}  // namespace
}  // namespace corvane
