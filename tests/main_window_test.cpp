#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/program_state.h"
#include "app/ui/program_windows.h"
#include "app/ui/tform1.h"
#include "messaging/ui/tdlg_enter_number.h"
#include "platform/registry_file.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/sorted_list_box.h"
#include "settings/settings_store.h"
#include "tests/support/box_recorder.h"
#include "tests/support/temp_profile.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A user whose configuration and data homes lie in a temporary folder.
class MainWindowTest : public ::testing::Test {
  protected:
    std::string DataFolder() const { return profile_.DataFolder(); }

    // A user who has run the program before, with the server set up.
    void SetUpReturningUser() {
        fs::create_directories(DataFolder());
        WithSettings([](Registry& registry) {
            registry.WriteString("ServerIPAddress", "127.0.0.1");
            registry.WriteInteger("ServerIPPort", 2708);
        });
    }

    template <typename Access>
    void WithSettings(Access access) {
        profile_.WithSettings(access);
    }

    void WriteDataFile(const std::string& name, const std::string& text) {
        std::ofstream(DataFolder() + "/" + name, std::ios::binary) << text;
    }

    TForm1& Start() {
        form_ = std::make_unique<TForm1>(profile_.Environment());
        return *form_;
    }

    TForm1& StartShown() {
        TForm1& form = Start();
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return form;
    }

    test::TempProfile profile_;
    std::unique_ptr<TForm1> form_;
};

TEST_F(MainWindowTest, ProgramWindowsAreReachedThroughTheMainWindow) {
    SetUpReturningUser();
    const std::unique_ptr<ProgramWindows> windows = CreateProgramWindows(profile_.Environment());
    ASSERT_NE(windows->Form1, nullptr);
    ASSERT_NE(windows->dlgEnterNumber, nullptr);
    EXPECT_EQ(windows->Form1->Windows, windows.get());
    EXPECT_EQ(windows->dlgEnterNumber->parentWidget(), windows->Form1.get());
    EXPECT_FALSE(windows->Form1->State().FirstRun);
}

TEST_F(MainWindowTest, ShowsItsCaptionTitleBandAndControls) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    EXPECT_EQ(form.windowTitle(), "Corvane Message Centre");
    EXPECT_EQ(form.Panel9->text(), "Corvane Message Centre ");
    EXPECT_TRUE(form.Panel9->font().bold());
    EXPECT_EQ(form.Panel9->font().pixelSize(), 20);
    EXPECT_EQ(form.Label1->text(), "Sent &To:");
    EXPECT_EQ(form.Label1->buddy(), form.ListBox1);
    EXPECT_EQ(form.Label2->text(), "&Message:");
    EXPECT_EQ(form.Label2->buddy(), form.Memo1);
    EXPECT_EQ(form.btnSend->text(), "&Send");
    EXPECT_EQ(form.btnClose->text(), "&Close");
    EXPECT_EQ(form.ListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(form.Memo1->font().bold());
    EXPECT_EQ(form.Memo1->font().pixelSize(), 17);
    EXPECT_FALSE(form.RadioGroup1->isVisible());
    EXPECT_EQ(form.RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(form.RadioGroup1->Item(1)->text(), "Normal");
    EXPECT_EQ(form.StatusBar1->Panel(0)->width(), 150);
    EXPECT_EQ(form.StatusBar1->Panel(1)->width(), 100);
    EXPECT_FALSE(form.CloseProgramTimer->isActive());
    EXPECT_EQ(form.CloseProgramTimer->interval(), 10);
}

TEST_F(MainWindowTest, MenuHasEveryEntry) {
    SetUpReturningUser();
    TForm1& form = Start();
    struct Entry {
        QMenu* menu;
        QAction* action;
        const char* caption;
        bool enabled;
        bool visible;
    };
    const Entry entries[] = {
        {form.File1, form.Exit1, "E&xit", true, true},
        {form.Edit1, form.AddressBook1, "&Address Book", true, true},
        {form.Edit1, form.Groups1, "&Groups", true, true},
        {form.Edit1, form.ClearMessage1, "&Clear Message", true, true},
        {form.Edit1, form.RestoreMessage1, "&Restore Message", false, true},
        {form.Edit1, form.Setup1, "&Setup", true, true},
        {form.Edit1, form.SendersNumber1, "Senders &Number", true, true},
        {form.View1, form.Log1, "&Log", true, true},
        {form.View1, form.Credit1, "&Credit", false, false},
        {form.View1, form.Usage1, "&Usage", true, true},
        {form.Help1, form.CheckWebforUpdates1, "&Check Web for Updates", true, true},
        {form.Help1, form.About1, "&About", true, true},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.caption);
        EXPECT_TRUE(entry.menu->actions().contains(entry.action));
        EXPECT_EQ(entry.action->text(), entry.caption);
        EXPECT_EQ(entry.action->isEnabled(), entry.enabled);
        EXPECT_EQ(entry.action->isVisible(), entry.visible);
    }
    QStringList menus;
    for (QAction* menu : form.MainMenu1->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Help"}));
    EXPECT_TRUE(form.N1->isSeparator());
    EXPECT_EQ(form.Edit1->actions().indexOf(form.N1), 4);
}

TEST_F(MainWindowTest, OpensAt469By558WithTheListAThirdOfTheWidth) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    EXPECT_EQ(form.width(), 469);
    EXPECT_EQ(form.height(), 558);
    EXPECT_EQ(form.minimumSize(), QSize(250, 380));
    EXPECT_EQ(form.ListBox1->width(), 146);
}

TEST_F(MainWindowTest, ResizingLaysTheBottomBandAndTheListOut) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    struct Case {
        int window_width;
        int list_width;
    };
    for (const Case c : {Case{600, 190}, Case{250, 73}, Case{800, 256}, Case{469, 146}}) {
        SCOPED_TRACE(c.window_width);
        form.resize(c.window_width, form.height());
        QCoreApplication::processEvents();
        EXPECT_EQ(form.ListBox1->width(), c.list_width);
        const int panel_width = form.Panel3->width();
        EXPECT_EQ(form.btnClose->x(), panel_width - form.btnClose->width() - 10);
        EXPECT_EQ(form.btnSend->x(), form.btnClose->x() - form.btnSend->width() - 10);
        EXPECT_EQ(form.btnClose->y(), 10);
        EXPECT_EQ(form.btnClose->height(), 25);
        EXPECT_EQ(form.btnSend->height(), 25);
        // The labels stand over the list and over the editor.
        EXPECT_EQ(form.Label1->mapTo(&form, QPoint()).x(),
                  form.ListBox1->mapTo(&form, QPoint()).x());
        EXPECT_EQ(form.Label2->mapTo(&form, QPoint()).x(), form.Memo1->mapTo(&form, QPoint()).x());
        EXPECT_EQ(form.Memo1->mapTo(&form, QPoint()).x(), 10 + c.list_width + 10);
        EXPECT_EQ(form.Memo1->x() + form.Memo1->width(), form.Panel1->width() - 10);
    }
}

TEST_F(MainWindowTest, ChangingTheHeightAloneLeavesTheListWidth) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    form.ListBox1->setFixedWidth(100);
    form.resize(form.width(), 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.ListBox1->width(), 100);
    form.resize(form.width() + 3, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.ListBox1->width(), 147);
}

TEST_F(MainWindowTest, CounterFollowsTheEditor) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    EXPECT_EQ(form.StatusBar1->PanelText(0), "0/160");
    QTest::keyClicks(form.Memo1, "Hello");
    EXPECT_EQ(form.StatusBar1->PanelText(0), "5/160");
    form.Memo1->setPlainText(QString(161, 'x'));
    EXPECT_EQ(form.StatusBar1->PanelText(0), "161/268 : 2 messages");
}

TEST_F(MainWindowTest, EditorLimitLeavesRoomForTheSignature) {
    SetUpReturningUser();
    WithSettings([](Registry& registry) { registry.WriteString("Signature", "Ann"); });
    TForm1& form = Start();
    EXPECT_EQ(form.State().SignatureSuffix, " <Ann>");
    EXPECT_EQ(form.Memo1->MaxLength(), 798);
}

TEST_F(MainWindowTest, FirstStartPreparesTheDataFolder) {
    TForm1& form = Start();
    EXPECT_TRUE(form.State().FirstRun);
    EXPECT_TRUE(fs::is_directory(DataFolder()));
    WithSettings(
        [this](Registry& registry) { EXPECT_EQ(registry.ReadString("DBName"), DataFolder()); });
    EXPECT_EQ(form.State().AppSettings.DataFolder, DataFolder());
    EXPECT_EQ(form.State().LogList.Count(), 0u);
    EXPECT_EQ(form.State().AddressList.Count(), 0u);
    EXPECT_EQ(form.State().GroupList.Count(), 0u);
}

TEST_F(MainWindowTest, SecondStartIsNoFirstRunAndLoadsTheDataFiles) {
    Start();
    form_.reset();
    WriteDataFile("Log.dat", "1042,\"05 May 2008 14:03:09\",QUEUED,,Ann,Hi\r\n");
    WriteDataFile("Addbook.dat", "Ann,447700900123\r\n\"Front Desk\",447700900124\r\n");
    WriteDataFile("Groups.dat", "Team,Ann,\"Front Desk\"\r\n");

    TForm1& form = Start();

    EXPECT_FALSE(form.State().FirstRun);
    EXPECT_EQ(form.State().LogList.Entries(),
              std::vector<std::string>{"1042,\"05 May 2008 14:03:09\",QUEUED,,Ann,Hi"});
    EXPECT_EQ(form.State().AddressList.Count(), 2u);
    EXPECT_EQ(form.State().GroupList.Entries(),
              std::vector<std::string>{"Team,Ann,\"Front Desk\""});
}

TEST_F(MainWindowTest, PointsTheSocketAtTheConfiguredServer) {
    SetUpReturningUser();
    WithSettings([](Registry& registry) {
        registry.WriteString("ServerIPAddress", "sms.example.net");
        registry.WriteInteger("ServerIPPort", 2709);
    });
    TForm1& form = Start();
    EXPECT_EQ(form.State().Channel.Target(),
              (SocketTarget{SocketTarget::Kind::Host, "sms.example.net", 2709}));
}

TEST_F(MainWindowTest, UnreadableSettingIsShownAndTheRestStillLoads) {
    SetUpReturningUser();
    WithSettings([](Registry& registry) { registry.WriteString("ServerIPPort", "2708"); });
    WriteDataFile("Addbook.dat", "Ann,447700900123\r\n");
    test::BoxRecorder boxes;

    TForm1& form = Start();

    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, BoxKind::Exception);
    EXPECT_EQ(shown[0].title, "Corvane");
    EXPECT_EQ(shown[0].text, "Invalid data type for 'ServerIPPort'");
    EXPECT_EQ(form.State().AppSettings.ServerIPAddress, "127.0.0.1");
    EXPECT_EQ(form.State().AddressList.Count(), 1u);
    EXPECT_EQ(form.StatusBar1->PanelText(0), "0/160");
}

TEST_F(MainWindowTest, ShowEmptiesTheProgressPanel) {
    SetUpReturningUser();
    TForm1& form = Start();
    form.StatusBar1->SetPanelText(1, "Sending...");
    form.show();
    EXPECT_EQ(form.StatusBar1->PanelText(1), "");
}

// Ways of closing the main window, each as the user (or the program) does it.
struct CloseCase {
    const char* name;
    void (*close)(TForm1&);
};

class MainWindowClose : public MainWindowTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(MainWindowClose, ClosesTheWindowAndRunsTheCloseStepsOnce) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    QSignalSpy closed(&form, &TForm1::Closed);

    GetParam().close(form);

    QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 2000);
    EXPECT_EQ(closed.count(), 1);
    form.close();
    EXPECT_EQ(closed.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MainWindowClose,
    testing::Values(CloseCase{"CloseButton",
                              [](TForm1& form) {
                                  QTest::mouseClick(form.btnClose, Qt::LeftButton);
                              }},
                    CloseCase{"ExitMenu", [](TForm1& form) { form.Exit1->trigger(); }},
                    CloseCase{"CloseBox", [](TForm1& form) { form.close(); }},
                    CloseCase{"Timer", [](TForm1& form) { form.CloseProgramTimer->start(); }}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AnotherTimerTickFindsTheCloseStepsDone) {
    SetUpReturningUser();
    TForm1& form = StartShown();
    QSignalSpy closed(&form, &TForm1::Closed);

    form.CloseProgramTimer->start();
    QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 2000);
    // A tick already due when the window closed still arrives.
    form.CloseProgramTimerTimer();

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, CloseRequestedBeforeTheFirstShowSkipsTheRestOfTheShow) {
    SetUpReturningUser();
    TForm1& form = Start();
    form.StatusBar1->SetPanelText(1, "Checking for updates");
    QSignalSpy closed(&form, &TForm1::Closed);
    form.CloseProgramTimer->start();

    form.show();

    EXPECT_EQ(form.StatusBar1->PanelText(1), "Checking for updates");
    QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 2000);
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace corvane
