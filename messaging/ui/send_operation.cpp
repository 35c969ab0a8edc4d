#include "messaging/ui/send_operation.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <unordered_map>

#include "app/program_state.h"
#include "app/ui/program_windows.h"
#include "app/ui/tform1.h"
#include "contacts/recipient_lists.h"
#include "messaging/number_rules.h"
#include "messaging/send_records.h"
#include "messaging/ui/tdlg_enter_number.h"
#include "platform/ascii_text.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/modal.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/sorted_list_box.h"
#include "platform/win1252.h"

namespace corvane {

namespace {

constexpr int kReplySeconds = 30;
constexpr std::size_t kResultsPerBox = 16;

std::string ItemText(const QListWidget& list, int row) {
    return FromQString(list.item(row)->text());
}

// Runs the closing steps however the send ends, an escaping error included.
class FinalStageGuard {
  public:
    explicit FinalStageGuard(std::function<void()> finalStage)
        : finalStage_(std::move(finalStage)) {}
    ~FinalStageGuard() { finalStage_(); }
    FinalStageGuard(const FinalStageGuard&) = delete;
    FinalStageGuard& operator=(const FinalStageGuard&) = delete;

  private:
    std::function<void()> finalStage_;
};

}  // namespace

SendOperation::SendOperation(TForm1& form, TdlgEnterNumber& destinationDialog)
    : form_(form), dialog_(destinationDialog) {}

void SendOperation::Run() {
    ProgramState& state = form_.State();
    FinalStageGuard guard([this] { FinalStage(); });
    state.Channel.SocketFailed = false;
    if (!CheckMessageAndDestination())
        return;

    form_.StatusBar1->SetPanelText(1, "Connecting to Server");
    form_.btnSend->setEnabled(false);
    form_.btnClose->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    hourglass_ = true;
    state.SendResults.clear();
    QCoreApplication::processEvents();

    ExpandSelectedGroups();
    if (!SendToSelection())
        return;
    EndSend();
}

bool SendOperation::CheckMessageAndDestination() {
    if (form_.Memo1->toPlainText().isEmpty()) {
        MessageBox("No Message has been Entered", "Corvane", BoxButtons::Ok, BoxIcon::Exclamation);
        return false;
    }
    if (!form_.ListBox1->selectedItems().isEmpty())
        return true;

    dialog_.edMobileNumber->setText(QString());
    if (ShowModal(dialog_) != QDialog::Accepted)
        return false;
    const std::string typed =
        std::string(TrimControls(FromQString(dialog_.edMobileNumber->text())));
    typedNumber_ = NormaliseNumber(typed, form_.State().AppSettings.DefaultCountryCode);
    if (typedNumber_.empty()) {
        MessageBox("No Names have been Selected", "Corvane", BoxButtons::Ok, BoxIcon::Exclamation);
        return false;
    }
    typedDestination_ = true;
    return true;
}

void SendOperation::ExpandSelectedGroups() {
    ProgramState& state = form_.State();
    QListWidget& list = *form_.ListBox1;

    // The first (lowest) row of each item text, so that a group of thousands
    // selects its members without a scan of the list per member.
    std::unordered_map<std::string, int> firstRow;
    for (int row = list.count() - 1; row >= 0; --row)
        firstRow[ItemText(list, row)] = row;
    const GroupIndex groups(state.GroupList);

    for (int i = 0; i < list.count(); ++i) {
        if (!list.item(i)->isSelected())
            continue;
        const std::string name = ItemText(list, i);
        if (state.Recipients.NumberOf(name).value_or("") != kGroupNumber)
            continue;
        list.item(i)->setSelected(false);
        for (const std::string& member : groups.Members(name.substr(1))) {
            const auto found = firstRow.find(member);
            if (found != firstRow.end())
                list.item(found->second)->setSelected(true);
        }
    }
}

bool SendOperation::SendToSelection() {
    ProgramState& state = form_.State();
    ServerChannel& channel = state.Channel;
    QListWidget& list = *form_.ListBox1;

    for (int i = 0; i < list.count() || typedDestination_; ++i) {
        std::string name;
        std::string number;
        const bool typed = typedDestination_;
        if (typed) {
            name = typedNumber_;
            number = typedNumber_;
            typedDestination_ = false;
        } else {
            if (!list.item(i)->isSelected())
                continue;
            name = ItemText(list, i);
            number = state.Recipients.NumberOf(name).value_or("");
            if (number.empty()) {
                MessageBox("No Number found for: " + name, "SMS Messages", BoxButtons::Ok,
                           BoxIcon::Exclamation);
                return true;
            }
        }
        number = NormaliseNumber(number, state.AppSettings.DefaultCountryCode);

        form_.StatusBar1->SetPanelText(1, "Sending message to " + name);
        channel.ReceiveBuffer.clear();
        const std::string message = FromQString(form_.Memo1->toPlainText());
        const std::string escaped =
            EscapeMessageText(ReplaceLineBreaks(message + state.SignatureSuffix));
        const std::string messLine = BuildMessLine(form_.RadioGroup1->ItemIndex(), number, escaped,
                                                   state.AppSettings.SenderNumber);

        if (!channel.OpenSession()) {
            MessageBox("Unable to login to server", "Corvane");
            form_.StatusBar1->SetPanelText(1, "");
            return false;
        }

        channel.SendLine(messLine);
        std::string result = name;
        if (channel.ReadReplyCode(kReplySeconds) == 250) {
            result += " - Sent OK";
            state.LogList.Append(BuildLogEntry(MessageIdOf(channel.LastReply),
                                               CurrentClock().LocalNow(), name, escaped));
            SaveDataFile(state.LogList, state.AppSettings.DataFolder);
            QCoreApplication::processEvents();
        } else {
            result += " - Error: " + channel.LastReply;
        }

        state.SendResults.push_back(result);
        if (!typed && i < list.count())
            list.item(i)->setSelected(false);
        QCoreApplication::processEvents();
        if (state.SendResults.size() == kResultsPerBox)
            ShowResults();
    }
    return true;
}

void SendOperation::ShowResults() {
    std::vector<std::string>& results = form_.State().SendResults;
    MessageBox(JoinResultLines(results), "Corvane");
    results.clear();
}

void SendOperation::EndSend() {
    ProgramState& state = form_.State();
    state.Channel.SendLine("QUIT");
    if (!state.SendResults.empty())
        ShowResults();
    state.SavedMessage = FromQString(form_.Memo1->toPlainText());
    if (form_.ListBox1->selectedItems().isEmpty())
        form_.Memo1->clear();
    form_.RestoreMessage1->setEnabled(true);
}

void SendOperation::FinalStage() {
    ServerChannel& channel = form_.State().Channel;
    channel.CloseSocket();
    form_.btnClose->setEnabled(true);
    form_.btnSend->setEnabled(true);
    channel.SocketFailed = false;
    form_.StatusBar1->SetPanelText(1, "");
    form_.Memo1Change();
    if (hourglass_)
        QApplication::restoreOverrideCursor();
}

}  // namespace corvane

namespace corvane {

void TForm1::btnSendClick() {
    SendOperation(*this, *Windows->dlgEnterNumber).Run();
}

}  // namespace corvane
