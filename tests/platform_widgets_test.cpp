#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>

#include "platform/ui/memo_edit.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/sorted_list_box.h"

namespace corvane {
namespace {

TEST(SortedListBox, SortsIgnoringCaseWithGroupsFirst) {
    SortedListBox list;
    list.addItems({"bob", "Ann", " Team", "carol", "Bea", " admin", "2nd floor"});
    list.addItem("alan");
    list.insertItem(0, "Zed");
    EXPECT_EQ(list.ItemTexts(), (QStringList{" admin", " Team", "2nd floor", "alan", "Ann", "Bea",
                                             "bob", "carol", "Zed"}));
}

TEST(SortedListBox, KeepsTextsExactly) {
    SortedListBox list;
    list.addItems({"  two spaces", "Front Desk ", "O'Neil, \"Jo\""});
    EXPECT_EQ(list.ItemTexts(), (QStringList{"  two spaces", "Front Desk ", "O'Neil, \"Jo\""}));
}

// A memo with `text`, the cursor at the end, and room for `limit` characters.
struct MemoAt {
    MemoEdit memo;
    MemoAt(const QString& text, int limit) {
        memo.setPlainText(text);
        memo.SetMaxLength(limit);
        memo.moveCursor(QTextCursor::End);
        memo.show();
    }
};

TEST(MemoEdit, TypingStopsAtTheLimit) {
    MemoAt at("abc", 5);
    QTest::keyClicks(&at.memo, "defg");
    EXPECT_EQ(at.memo.toPlainText(), "abcde");
    QTest::keyClick(&at.memo, Qt::Key_Return);
    EXPECT_EQ(at.memo.toPlainText(), "abcde");
    QTest::keyClick(&at.memo, Qt::Key_Backspace);
    EXPECT_EQ(at.memo.toPlainText(), "abcd");
}

TEST(MemoEdit, TypingOverASelectionReplacesItAtTheLimit) {
    MemoAt at("abcde", 5);
    QTest::keyClick(&at.memo, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&at.memo, Qt::Key_X);
    EXPECT_EQ(at.memo.toPlainText(), "abcdx");
}

TEST(MemoEdit, PastingIsCutToTheRoomLeft) {
    MemoAt at("ab", 6);
    QApplication::clipboard()->setText("1\r\n2345");
    at.memo.paste();
    EXPECT_EQ(at.memo.toPlainText(), "ab1\n23");
    EXPECT_EQ(at.memo.TextLength(), 6);
}

TEST(MemoEdit, ALongerTextIsNotCutButNothingMoreGoesIn) {
    MemoAt at("abcdefgh", -1);
    at.memo.SetMaxLength(5);
    EXPECT_EQ(at.memo.toPlainText(), "abcdefgh");
    QTest::keyClicks(&at.memo, "x");
    QApplication::clipboard()->setText("yz");
    at.memo.paste();
    EXPECT_EQ(at.memo.toPlainText(), "abcdefgh");
    at.memo.setPlainText("0123456789");
    EXPECT_EQ(at.memo.toPlainText(), "0123456789");
}

TEST(MemoEdit, NoRoomAtAllTakesNothing) {
    MemoAt at("", 0);
    QTest::keyClicks(&at.memo, "a");
    QApplication::clipboard()->setText("b");
    at.memo.paste();
    EXPECT_EQ(at.memo.toPlainText(), "");
}

TEST(RadioGroup, SelectsOneItemAtATime) {
    RadioGroup group("&Priority", {"Low", "Normal", "Urgent"}, 3);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(1);
    EXPECT_EQ(group.ItemIndex(), 1);
    group.Item(2)->click();
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_FALSE(group.Item(1)->isChecked());
    group.SetItemIndex(-1);
    EXPECT_EQ(group.ItemIndex(), -1);
}

TEST(PanelStatusBar, PanelsHaveTheirWidthsAndCarryWindows1252Text) {
    PanelStatusBar bar({150, 100});
    ASSERT_EQ(bar.PanelCount(), 2);
    EXPECT_EQ(bar.Panel(0)->width(), 150);
    EXPECT_EQ(bar.Panel(1)->width(), 100);
    bar.SetPanelText(1, "Sending \xA3");
    EXPECT_EQ(bar.Panel(1)->text(), QString::fromUtf8("Sending \u00A3"));
    EXPECT_EQ(bar.PanelText(1), "Sending \xA3");
}

}  // namespace
}  // namespace corvane
