// A send to many recipients: the Send button pressed with 1,000 contacts selected,
// against the gateway simulator on 127.0.0.1 and with a 100,000-entry message log
// on disk, against the same 1,000 request and reply round trips done by hand on a
// plain socket to the same simulator. Then the same send with an empty log beside
// it: each accepted message adds one entry to the log file, and that must cost
// the same however long the log already is. Last the same send with the data
// folder in memory, where making the log entry safe on disk costs nothing: what
// is left is the program's own share.

#include <QCoreApplication>
#include <QHostAddress>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "app/program_state.h"
#include "app/ui/program_windows.h"
#include "app/ui/tform1.h"
#include "bench/support/bench_harness.h"
#include "bench/support/bench_profile.h"
#include "bench/support/bench_windows.h"
#include "contacts/data_files.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/sorted_list_box.h"
#include "platform/win1252.h"

using namespace corvane;
using namespace corvane::bench;

namespace {

constexpr int kRecipients = 1'000;
constexpr int kGroups = 500;
// Result lines per box, as the send shows them.
constexpr int kResultsPerBox = 16;
constexpr const char* kMessage =
    "The stores close at 5pm today: please collect your parcels before then.";

std::size_t CountLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::size_t(
        std::count(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>(), '\n'));
}

std::size_t CountOccurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The program of one user, started and shown, ready to send again and again.
class SendingProgram {
  public:
    SendingProgram(const ProfileSize& size, BoxAnswerer& answerer, const std::string& folder = {})
        : profile_(size, folder), answerer_(answerer) {
        windows_ = CreateProgramWindows(profile_.Environment());
        windows_->Form1->show();
        Require(WaitUntilShown(*windows_->Form1), "the main window did not show");
    }

    double Send() {
        TForm1& form = *windows_->Form1;
        ProgramState& state = form.State();
        form.Memo1->setPlainText(kMessage);
        // A block of contacts, as a Shift-click selects them, past the groups at the top.
        QListWidget& list = *form.ListBox1;
        const int first = kGroups + 1000;
        list.selectionModel()->select(
            QItemSelection(list.model()->index(first, 0),
                           list.model()->index(first + kRecipients - 1, 0)),
            QItemSelectionModel::Select);
        Require(list.selectedItems().size() == kRecipients, "the recipients are not selected");
        const std::size_t logBefore = state.LogList.Count();
        const std::size_t acceptedBefore = profile_.Server().Messages().size();
        answerer_.Take();
        QCoreApplication::processEvents();

        Stopwatch watch;
        form.btnSendClick();
        const double ms = watch.ElapsedMs();

        const std::vector<std::string> boxes = answerer_.Take();
        std::size_t sentOk = 0;
        for (const std::string& box : boxes)
            sentOk += CountOccurrences(box, " - Sent OK");
        Require(boxes.size() == (kRecipients + kResultsPerBox - 1) / kResultsPerBox,
                "the results did not come in the expected boxes");
        Require(sentOk == kRecipients, "not every message was sent OK");
        Require(state.LogList.Count() == logBefore + kRecipients,
                "the log did not grow by one entry per message");
        Require(profile_.Server().Messages().size() == acceptedBefore + kRecipients,
                "the simulator did not accept every message");
        Require(list.selectedItems().isEmpty(), "recipients are left selected");
        return ms;
    }

    // The log file holds exactly the log in memory.
    void CheckLogFile() {
        Require(
            CountLines(profile_.FilePath(kLogFileName)) == windows_->Form1->State().LogList.Count(),
            "Log.dat does not hold the log");
    }

    gateway::GatewayServer& Server() { return profile_.Server(); }

  private:
    BenchProfile profile_;
    BoxAnswerer& answerer_;
    std::unique_ptr<ProgramWindows> windows_;
};

// Log in by hand and send the messages, one line and one awaited reply each.
double RawRoundTrips(gateway::GatewayServer& server) {
    Stopwatch watch;
    QTcpSocket socket;
    // Wakes the waits below now and then, so that a server gone quiet ends the
    // benchmark instead of hanging it.
    QTimer wake;
    wake.start(500);
    auto reply = [&]() -> std::string {
        while (!socket.canReadLine()) {
            Require(watch.ElapsedMs() < 60'000, "the simulator stopped answering");
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return socket.readLine().toStdString();
    };
    auto exchange = [&](const std::string& line, const std::string& code) {
        socket.write((line + "\r\n").c_str());
        Require(reply().rfind(code, 0) == 0, "the simulator did not answer " + line);
    };
    socket.connectToHost(QHostAddress::LocalHost, server.Port());
    Require(reply().rfind("220", 0) == 0, "no greeting");
    exchange("user ann", "221");
    exchange("pass s3cret", "222");
    for (int i = 0; i < kRecipients; ++i)
        exchange(std::string("MESS 0,V,1,44770010") + std::to_string(1000 + i) + ",\"" + kMessage +
                     " <Ann>\",",
                 "250");
    socket.write("QUIT\r\n");
    socket.flush();
    socket.abort();
    return watch.ElapsedMs();
}

}  // namespace

int main(int argc, char** argv) {
    KeepFreedMemory();
    BenchApplication app(argc, argv);
    BoxAnswerer answerer;

    constexpr ProfileSize kLongLog{100'000, 10'000, kGroups, 20};
    SendingProgram withLog(kLongLog, answerer);
    SendingProgram withoutLog({0, 10'000, kGroups, 20}, answerer);
    const std::string memoryFolder = MemoryFolder();
    std::unique_ptr<SendingProgram> inMemory;
    if (!memoryFolder.empty())
        inMemory = std::make_unique<SendingProgram>(kLongLog, answerer, memoryFolder);

    // No warm-up: the first send after start is what a user meets too, and the
    // median of three leaves out one slow round either way.
    std::vector<Trial> trials{[&] { return RawRoundTrips(withLog.Server()); },
                              [&] { return withLog.Send(); }, [&] { return withoutLog.Send(); }};
    if (inMemory)
        trials.push_back([&] { return inMemory->Send(); });
    const std::vector<double> medians = MedianRounds(3, 0, trials);
    PrintRatio("send_many_1000", {medians[1], medians[0]});
    PrintRatio("send_many_log_size", {medians[1], medians[2]}, "100,000-entry log", "empty log");
    if (inMemory) {
        PrintRatio("send_many_1000_data_in_memory", {medians[3], medians[0]});
    } else {
        std::printf("send_many_1000_data_in_memory: skipped, no tmpfs at /dev/shm\n");
    }

    withLog.CheckLogFile();
    withoutLog.CheckLogFile();
    if (inMemory)
        inMemory->CheckLogFile();
    Require(answerer.Forms().empty(), "a modal form was shown");
    return 0;
}
