#include "bench/support/bench_harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <malloc.h>

namespace corvane::bench {

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

std::string FormatMs(double ms) {
    char text[32];
    if (ms >= 100)
        std::snprintf(text, sizeof text, "%.0f ms", ms);
    else if (ms >= 10)
        std::snprintf(text, sizeof text, "%.1f ms", ms);
    else
        std::snprintf(text, sizeof text, "%.2f ms", ms);
    return text;
}

void KeepFreedMemory() {
    // Large blocks from the heap rather than from mappings of their own (which go
    // back to the system when freed), and no trimming of the heap's top.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
}

double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

std::vector<double> MedianRounds(int rounds, int warmups, const std::vector<Trial>& trials) {
    for (int warmup = 0; warmup < warmups; ++warmup) {
        for (const Trial& trial : trials)
            trial();
    }
    std::vector<std::vector<double>> times(trials.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < trials.size(); ++i)
            times[i].push_back(trials[i]());
    }
    std::vector<double> medians;
    for (const std::vector<double>& trialTimes : times)
        medians.push_back(Median(trialTimes));
    return medians;
}

Comparison Compare(int rounds, int warmups, const Trial& program, const Trial& baseline) {
    const std::vector<double> medians = MedianRounds(rounds, warmups, {baseline, program});
    return {medians[1], medians[0]};
}

void PrintRatio(const std::string& name, const Comparison& comparison,
                const std::string& programLabel, const std::string& baselineLabel) {
    const double ratio =
        comparison.baseline_ms > 0 ? comparison.program_ms / comparison.baseline_ms : 0;
    std::printf("%s: %.*fx baseline (%s %s, %s %s)\n", name.c_str(), ratio < 10 ? 2 : 1, ratio,
                programLabel.c_str(), FormatMs(comparison.program_ms).c_str(),
                baselineLabel.c_str(), FormatMs(comparison.baseline_ms).c_str());
    std::fflush(stdout);
}

void Require(bool condition, const std::string& what) {
    if (condition)
        return;
    std::fprintf(stderr, "benchmark failed: %s\n", what.c_str());
    std::exit(EXIT_FAILURE);
}

}  // namespace corvane::bench
