// The message editor in the real main window: what typing puts in, the counter,
// the length limit, and the Clear and Restore Message commands.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QTest>

#include "app/program_state.h"
#include "app/ui/tform1.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/win1252.h"
#include "tests/support/program_fixture.h"

namespace corvane {
namespace {

Qt::Key KeyOf(QChar character) {
    switch (character.unicode()) {
        case '\r':
            return Qt::Key_Return;
        case '\t':
            return Qt::Key_Tab;
        case '\b':
            return Qt::Key_Backspace;
        default:
            return character.unicode() < 128 ? Qt::Key(character.toUpper().unicode())
                                             : Qt::Key_unknown;
    }
}

// Types each character as the keyboard would deliver it to the editor.
void Type(QWidget* editor, const QString& typed) {
    for (const QChar character : typed) {
        QKeyEvent press(QEvent::KeyPress, KeyOf(character), Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, KeyOf(character), Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(editor, &release);
    }
}

class MessageEditorTest : public ::testing::Test {
  protected:
    TForm1& Start() {
        TForm1& form = program.Start();
        form.Memo1->setFocus();
        return form;
    }
    std::string Counter() { return program.Form().StatusBar1->PanelText(0); }

    test::ProgramFixture program;
};

TEST_F(MessageEditorTest, TypingKeepsPrintableAsciiAndMapsPoundAndBackquote) {
    TForm1& form = Start();
    const struct {
        QString typed;
        std::string text;
    } cases[] = {
        {"Hi there!", "Hi there!"},
        {QString::fromUtf8("\u00a35"), "$5"},
        {"it`s", "it's"},
        {QString::fromUtf8("caf\u00e9"), "caf"},
        {QString::fromUtf8("\u20ac\u00fc\u0159"), ""},  // in Windows-1252 and not, all beyond ASCII
        {"a\rb", "ab"},
        {"a\tb", "ab"},
        {"ab\bc", "ac"},
        {"~{}|", "~{}|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        form.Memo1->clear();
        Type(form.Memo1, c.typed);
        EXPECT_EQ(program.MemoText(), c.text);
    }
}

TEST_F(MessageEditorTest, CounterShowsCharactersThenParts) {
    TForm1& form = Start();
    EXPECT_EQ(Counter(), "0/160");
    const struct {
        int length;
        std::string counter;
    } cases[] = {
        {57, "57/160"},
        {160, "160/160"},
        {161, "161/268 : 2 messages"},
        {268, "268/268 : 2 messages"},
        {269, "269/402 : 3 messages"},
        {804, "804/804 : 6 messages"},
        {0, "0/160"},
    };
    for (const auto& c : cases) {
        form.Memo1->setPlainText(QString(c.length, QLatin1Char('x')));
        EXPECT_EQ(Counter(), c.counter) << c.length;
    }
}

TEST_F(MessageEditorTest, SignatureLeavesRoomInTheLimitForItself) {
    program.StoreString("Signature", "Ann");
    TForm1& form = Start();
    EXPECT_EQ(form.State().SignatureSuffix, " <Ann>");
    form.Memo1->setPlainText(QString(797, QLatin1Char('x')));
    form.Memo1->moveCursor(QTextCursor::End);
    Type(form.Memo1, "abc");
    EXPECT_EQ(form.Memo1->toPlainText().size(), 798);
    EXPECT_EQ(Counter(), "798/804 : 6 messages");
}

TEST_F(MessageEditorTest, ClearKeepsTheTextForRestore) {
    TForm1& form = Start();
    EXPECT_FALSE(form.RestoreMessage1->isEnabled());
    program.SetMemoText("See you at 3");

    form.ClearMessage1->trigger();
    EXPECT_EQ(program.MemoText(), "");
    EXPECT_EQ(Counter(), "0/160");
    EXPECT_TRUE(form.RestoreMessage1->isEnabled());

    program.SetMemoText("something else");
    form.RestoreMessage1->trigger();
    EXPECT_EQ(program.MemoText(), "See you at 3");
    EXPECT_EQ(Counter(), "12/160");
    form.RestoreMessage1->trigger();
    EXPECT_EQ(program.MemoText(), "See you at 3");
}

TEST_F(MessageEditorTest, ClearingAnEmptyEditorKeepsTheEmptyText) {
    TForm1& form = Start();
    program.SetMemoText("first");
    form.ClearMessage1->trigger();
    form.ClearMessage1->trigger();
    form.RestoreMessage1->trigger();
    EXPECT_EQ(program.MemoText(), "");
}

TEST_F(MessageEditorTest, RestoreIsNeitherFilteredNorCutToTheLimit) {
    TForm1& form = Start();
    form.State().SavedMessage = std::string(900, 'x') + "\xa3";
    form.RestoreMessage1->setEnabled(true);
    form.RestoreMessage1->trigger();
    EXPECT_EQ(program.MemoText(), form.State().SavedMessage);
    EXPECT_EQ(Counter(), "901/938 : 7 messages");
}

}  // namespace
}  // namespace corvane
