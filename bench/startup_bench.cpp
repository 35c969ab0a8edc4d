// Start-up with a long-standing user's files: the main window created and shown
// with a 100,000-entry message log, 10,000 contacts and 500 groups, against
// reading the same three files and cutting them into lines, the least any program
// must do with them. Then the recipient list rebuilt for those contacts, against a
// plain list box given the same texts in the order they come, the least any list
// of them costs on the screen.

#include <QListWidget>
#include <memory>

#include "app/program_state.h"
#include "app/ui/program_windows.h"
#include "app/ui/tform1.h"
#include "bench/support/bench_harness.h"
#include "bench/support/bench_profile.h"
#include "bench/support/bench_windows.h"
#include "contacts/data_files.h"
#include "platform/ui/sorted_list_box.h"
#include "platform/win1252.h"

using namespace corvane;
using namespace corvane::bench;

namespace {

constexpr ProfileSize kSize{100'000, 10'000, 500, 20};
constexpr int kListItems = 10'000 + 500;

std::unique_ptr<ProgramWindows> StartProgram(const BenchProfile& profile) {
    std::unique_ptr<ProgramWindows> windows = CreateProgramWindows(profile.Environment());
    windows->Form1->show();
    Require(WaitUntilShown(*windows->Form1), "the main window did not show");
    return windows;
}

void CheckStarted(TForm1& form) {
    const ProgramState& state = form.State();
    Require(state.LogList.Count() == std::size_t(kSize.logEntries), "Log.dat not loaded whole");
    Require(state.AddressList.Count() == std::size_t(kSize.contacts), "Addbook.dat not loaded");
    Require(state.GroupList.Count() == std::size_t(kSize.groups), "Groups.dat not loaded");
    Require(form.ListBox1->count() == kListItems, "the recipient list is not filled");
}

}  // namespace

int main(int argc, char** argv) {
    KeepFreedMemory();
    BenchApplication app(argc, argv);
    BoxAnswerer answerer;
    BenchProfile profile(kSize);

    const Trial startup = [&] {
        Stopwatch watch;
        std::unique_ptr<ProgramWindows> windows = StartProgram(profile);
        const double ms = watch.ElapsedMs();
        CheckStarted(*windows->Form1);
        windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return ms;
    };
    const Trial readFiles = [&] {
        Stopwatch watch;
        std::size_t lines = 0;
        for (const char* name : {kLogFileName, kAddressFileName, kGroupFileName})
            lines += ReadLinesPlain(profile.FilePath(name)).size();
        const double ms = watch.ElapsedMs();
        Require(lines == std::size_t(kSize.logEntries + kSize.contacts + kSize.groups),
                "the baseline read the wrong number of lines");
        return ms;
    };
    PrintRatio("startup_large_files", Compare(5, 1, startup, readFiles));

    // The rebuild as the address book and the group editor ask for it, on the
    // shown window; done when the list has painted.
    std::unique_ptr<ProgramWindows> windows = StartProgram(profile);
    TForm1& form = *windows->Form1;
    const Trial fill = [&] {
        Stopwatch watch;
        form.FillRecipientList();
        QCoreApplication::processEvents();
        const double ms = watch.ElapsedMs();
        Require(form.ListBox1->count() == kListItems, "the recipient list is not filled");
        return ms;
    };

    QStringList texts;
    for (const std::string& name : form.State().Recipients.RecipientNames)
        texts << ToQString(name);
    // The same list box as far as showing goes: size, selection, uniform rows.
    QListWidget plain;
    plain.resize(form.ListBox1->size());
    plain.setSelectionMode(form.ListBox1->selectionMode());
    plain.setUniformItemSizes(form.ListBox1->uniformItemSizes());
    plain.show();
    Require(WaitUntilShown(plain), "the plain list did not show");
    const Trial fillPlain = [&] {
        Stopwatch watch;
        plain.clear();
        plain.addItems(texts);
        QCoreApplication::processEvents();
        const double ms = watch.ElapsedMs();
        Require(plain.count() == kListItems, "the plain list is not filled");
        return ms;
    };
    PrintRatio("fill_recipient_list_10000", Compare(10, 1, fill, fillPlain));

    Require(answerer.Take().empty(), "a box was shown");
    Require(answerer.Forms().empty(), "a modal form was shown");
    return 0;
}
