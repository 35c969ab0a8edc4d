// The Send button end to end: the real main window against the gateway
// simulator on 127.0.0.1, with boxes and the destination dialog answered by script.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "app/program_state.h"
#include "app/ui/tform1.h"
#include "messaging/ui/tdlg_enter_number.h"
#include "platform/ui/panel_status_bar.h"
#include "tests/support/box_recorder.h"
#include "tests/support/gateway_fixture.h"
#include "tests/support/modal_script.h"
#include "tests/support/program_fixture.h"

namespace corvane {
namespace {

using test::BoxRecorder;
using test::ModalScript;

const std::string kQueued = "\"05 May 2008 14:03:09\"";

class SendOperationTest : public ::testing::Test {
  protected:
    SendOperationTest() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    ~SendOperationTest() override { QLocale::setDefault(QLocale::system()); }

    // Contacts Ann .. Tom and the group Team of Bob and Carol.
    void WriteAddressBook(std::vector<std::string> extra = {}) {
        std::vector<std::string> contacts = {"Ann,447700900001", "Bob,447700900002",
                                             "Carol,07700900003"};
        contacts.insert(contacts.end(), extra.begin(), extra.end());
        program.WriteDataFile("Addbook.dat", contacts);
        program.WriteDataFile("Groups.dat", {"Team,Bob,Carol"});
    }

    void Send() { program.Form().btnSend->click(); }

    test::ManualClockScope time;  // the queued time of every log entry: 05 May 2008 14:03:09
    test::ProgramFixture program;
    BoxRecorder boxes;
};

TEST_F(SendOperationTest, TypedDestinationIsNormalisedAndSentWithTheSenderNumber) {
    program.StoreScrambled("SenderNumber", "447700900999");
    TForm1& form = program.Start();
    ModalScript modal;
    modal.ThenForm<TdlgEnterNumber>([](TdlgEnterNumber& dialog) {
        EXPECT_EQ(dialog.edMobileNumber->text(), "");
        dialog.edMobileNumber->setText(" 07700 900123 ");
        return int(QDialog::Accepted);
    });
    program.SetMemoText("Hello");

    Send();

    EXPECT_EQ(program.MessLines(),
              std::vector<std::string>{"MESS 0,V,1,447700900123,Hello,447700900999"});
    EXPECT_EQ(boxes.TakeTexts(), std::vector<std::string>{"447700900123 - Sent OK"});
    EXPECT_EQ(program.LogFileLines(),
              std::vector<std::string>{"1," + kQueued + ",QUEUED,,447700900123,Hello"});
    EXPECT_EQ(program.MemoText(), "");
    EXPECT_EQ(form.State().SavedMessage, "Hello");
    EXPECT_TRUE(form.RestoreMessage1->isEnabled());
    EXPECT_TRUE(
        test::RunUntil([&] { return program.Server().ReceivedCommands().back() == "QUIT"; }));
    EXPECT_TRUE(form.btnSend->isEnabled());
    EXPECT_TRUE(form.btnClose->isEnabled());
    EXPECT_EQ(form.StatusBar1->PanelText(1), "");
    EXPECT_EQ(form.StatusBar1->PanelText(0), "0/160");
}

TEST_F(SendOperationTest, ChecksEndTheSendBeforeAnyConnection) {
    struct Case {
        const char* name;
        std::string memo;
        std::string typed;  // empty: the dialog is not expected
        bool accept;
        std::vector<std::string> boxTexts;
    };
    const Case cases[] = {
        {"empty editor", "", "", true, {"No Message has been Entered"}},
        {"lone plus", "Hi", "+", true, {"No Names have been Selected"}},
        {"only blanks", "Hi", "   ", true, {"No Names have been Selected"}},
        {"cancelled", "Hi", "07700900123", false, {}},
    };
    TForm1& form = program.Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModalScript modal;
        if (!c.typed.empty()) {
            modal.ThenForm<TdlgEnterNumber>([&c](TdlgEnterNumber& dialog) {
                dialog.edMobileNumber->setText(QString::fromStdString(c.typed));
                return int(c.accept ? QDialog::Accepted : QDialog::Rejected);
            });
        }
        program.SetMemoText(c.memo);
        Send();
        const std::vector<BoxRequest> shown = boxes.Take();
        ASSERT_EQ(shown.size(), c.boxTexts.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].text, c.boxTexts[i]);
            EXPECT_EQ(shown[i].title, "Corvane");
            EXPECT_EQ(shown[i].icon, BoxIcon::Exclamation);
        }
        EXPECT_EQ(program.MemoText(), c.memo);
        EXPECT_TRUE(form.btnSend->isEnabled());
    }
    EXPECT_EQ(program.Server().ConnectionsAccepted(), 0);
    EXPECT_FALSE(form.RestoreMessage1->isEnabled());
}

TEST_F(SendOperationTest, GroupAndOneOfItsMembersGiveThatMemberOneMessage) {
    WriteAddressBook();
    TForm1& form = program.Start();
    program.Select({" Team", "Bob"});
    program.SetMemoText("Hi");

    Send();

    EXPECT_EQ(program.MessLines(), (std::vector<std::string>{"MESS 0,V,1,447700900002,Hi,",
                                                             "MESS 0,V,1,447700900003,Hi,"}));
    EXPECT_EQ(boxes.TakeTexts(), std::vector<std::string>{"Bob - Sent OK\rCarol - Sent OK"});
    EXPECT_TRUE(program.SelectedTexts().empty());
    EXPECT_EQ(form.State().LogList.Count(), 2u);
}

TEST_F(SendOperationTest, TwentyRecipientsGiveABoxOfSixteenThenOneOfFour) {
    std::vector<std::string> contacts;
    std::vector<std::string> names;
    for (int i = 10; i < 30; ++i) {
        names.push_back("P" + std::to_string(i));
        contacts.push_back(names.back() + ",4477009000" + std::to_string(i));
    }
    program.WriteDataFile("Addbook.dat", contacts);
    TForm1& form = program.Start();
    program.Select(names);
    program.SetMemoText("Hi");

    Send();

    std::vector<std::string> results;
    for (const std::string& name : names)
        results.push_back(name + " - Sent OK");
    const std::vector<std::string> texts = boxes.TakeTexts();
    ASSERT_EQ(texts.size(), 2u);
    std::string first, second;
    for (int i = 0; i < 16; ++i)
        first += (i ? "\r" : "") + results[i];
    for (int i = 16; i < 20; ++i)
        second += (i > 16 ? "\r" : "") + results[i];
    EXPECT_EQ(texts[0], first);
    EXPECT_EQ(texts[1], second);

    const std::vector<std::string> log = program.LogFileLines();
    ASSERT_EQ(log.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(log[i], std::to_string(i + 1) + "," + kQueued + ",QUEUED,," + names[i] + ",Hi");
    }
    EXPECT_TRUE(program.SelectedTexts().empty());
    EXPECT_EQ(program.MemoText(), "");
    EXPECT_EQ(form.State().SavedMessage, "Hi");
}

TEST_F(SendOperationTest, RefusalsAndBareAcceptancesAreReportedAndTheNextRecipientTried) {
    WriteAddressBook();
    program.Start();
    program.Server().ScriptReplyOnce("MESS", {"250"});
    program.Server().ScriptReplyOnce("MESS", {"550 Invalid number"});
    program.Select({"Ann", "Bob", "Carol"});
    program.SetMemoText("Hi");

    Send();

    EXPECT_EQ(program.MessLines().size(), 3u);
    EXPECT_EQ(boxes.TakeTexts(),
              std::vector<std::string>{
                  "Ann - Sent OK\rBob - Error: 550 Invalid number\rCarol - Sent OK"});
    EXPECT_EQ(program.LogFileLines(),
              (std::vector<std::string>{"0," + kQueued + ",QUEUED,,Ann,Hi",
                                        "1," + kQueued + ",QUEUED,,Carol,Hi"}));
    EXPECT_TRUE(program.SelectedTexts().empty());
}

TEST_F(SendOperationTest, ARecipientWithoutANumberStopsTheSendThere) {
    WriteAddressBook({"Dan,", "Eve,447700900005"});
    TForm1& form = program.Start();
    program.Select({"Ann", "Bob", "Dan", "Eve", "Carol"});
    program.SetMemoText("Hi");

    Send();

    // List order: Ann, Bob, Carol, Dan, Eve; the fourth has no number.
    EXPECT_EQ(program.MessLines().size(), 3u);
    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "No Number found for: Dan");
    EXPECT_EQ(shown[0].title, "SMS Messages");
    EXPECT_EQ(shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(shown[1].text, "Ann - Sent OK\rBob - Sent OK\rCarol - Sent OK");
    EXPECT_EQ(program.SelectedTexts(), (std::vector<std::string>{"Dan", "Eve"}));
    EXPECT_EQ(program.MemoText(), "Hi");
    EXPECT_EQ(form.State().SavedMessage, "Hi");
    EXPECT_TRUE(
        test::RunUntil([&] { return program.Server().ReceivedCommands().back() == "QUIT"; }));
}

TEST_F(SendOperationTest, RefusedLoginSendsNothing) {
    WriteAddressBook();
    program.StoreScrambled("ServerPassword", "wrong");
    TForm1& form = program.Start();
    program.Select({"Ann", "Bob"});
    program.SetMemoText("Hi");

    Send();

    const std::vector<std::string> texts = boxes.TakeTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].substr(0, 3), "530");
    EXPECT_EQ(texts[1], "Unable to login to server");
    EXPECT_TRUE(program.MessLines().empty());
    EXPECT_TRUE(program.LogFileLines().empty());
    EXPECT_EQ(program.SelectedTexts(), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(program.MemoText(), "Hi");
    EXPECT_FALSE(form.RestoreMessage1->isEnabled());
    EXPECT_TRUE(form.btnSend->isEnabled());
    EXPECT_FALSE(form.State().Channel.SocketConnected);
}

TEST_F(SendOperationTest, MessageTextIsEscapedSignedAndKeptOnOneLine) {
    WriteAddressBook();
    program.StoreString("Signature", "Ann");
    TForm1& form = program.Start();
    program.Select({"Bob"});
    program.SetMemoText("Pay $5: \"now\"\nor\r\nlater");

    Send();

    const std::string escaped = "Pay $a5$c $bnow$b or later <Ann>";
    EXPECT_EQ(program.MessLines(),
              std::vector<std::string>{"MESS 0,V,1,447700900002,\"" + escaped + "\","});
    EXPECT_EQ(program.Server().Messages().at(0).Text(), escaped);
    EXPECT_EQ(program.LogFileLines(),
              std::vector<std::string>{"1," + kQueued + ",QUEUED,,Bob,\"" + escaped + "\""});
    EXPECT_EQ(boxes.TakeTexts(), std::vector<std::string>{"Bob - Sent OK"});
    // The signature is sent, never kept.
    EXPECT_EQ(form.State().SavedMessage.find("<Ann>"), std::string::npos);
}

TEST_F(SendOperationTest, ServerClosingRightAfterAcceptingStillLogsAndTheNextReconnects) {
    WriteAddressBook();
    program.Server().Faults().close_after_command = "MESS";
    program.Start();
    program.Select({"Ann", "Bob"});
    program.SetMemoText("Hi");

    Send();

    EXPECT_EQ(boxes.TakeTexts(), std::vector<std::string>{"Ann - Sent OK\rBob - Sent OK"});
    EXPECT_EQ(program.LogFileLines().size(), 2u);
    EXPECT_EQ(program.Server().ConnectionsAccepted(), 2);
}

TEST_F(SendOperationTest, NoReplyWithinThirtySecondsIsAnErrorWithNothingAfterIt) {
    WriteAddressBook();
    program.Start();
    program.Server().ScriptReplyOnce("MESS", {});
    program.Select({"Ann", "Bob"});
    program.SetMemoText("Hi");
    test::Later later;
    // The first MESS goes unanswered while the test clock runs on.
    later.Repeat(
        [this] {
            if (program.MessLines().size() == 1)
                time.clock.Advance(1000);
        },
        5);

    Send();

    EXPECT_EQ(boxes.TakeTexts(), std::vector<std::string>{"Ann - Error: \rBob - Sent OK"});
    EXPECT_EQ(program.LogFileLines().size(), 1u);
}

}  // namespace
}  // namespace corvane
