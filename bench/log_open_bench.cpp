// Opening a large log: a 100,000-entry Log.dat loaded with LoadDataFile and every
// entry split into its fields, as the log window does before it shows them,
// against reading the file with std::ifstream and cutting it into lines.

#include <QCoreApplication>

#include "bench/support/bench_harness.h"
#include "bench/support/bench_profile.h"
#include "bench/support/bench_windows.h"
#include "contacts/comma_text.h"
#include "contacts/data_files.h"

using namespace corvane;
using namespace corvane::bench;

namespace {
constexpr int kEntries = 100'000;
constexpr std::size_t kLogFields = 6;
}  // namespace

int main(int argc, char** argv) {
    KeepFreedMemory();
    QCoreApplication app(argc, argv);
    BoxAnswerer answerer;
    BenchProfile profile({kEntries, 1'000, 0, 0});

    const Trial load = [&] {
        Stopwatch watch;
        DataList log(kLogFileName);
        LoadDataFile(log, profile.DataFolder());
        std::size_t fields = 0;
        for (const std::string& entry : log.Entries())
            fields += SplitCommaText(entry).size();
        const double ms = watch.ElapsedMs();
        Require(log.Count() == kEntries, "Log.dat not loaded whole");
        Require(fields == kEntries * kLogFields, "log entries did not split into six fields");
        return ms;
    };
    const Trial readPlain = [&] {
        Stopwatch watch;
        const std::size_t lines = ReadLinesPlain(profile.FilePath(kLogFileName)).size();
        const double ms = watch.ElapsedMs();
        Require(lines == kEntries, "the baseline read the wrong number of lines");
        return ms;
    };
    PrintRatio("open_large_log", Compare(10, 1, load, readPlain));

    Require(answerer.Take().empty(), "a box was shown");
    return 0;
}
