#pragma once

// Timing for the benchmarks. Absolute times on a shared machine wander from run
// to run, so every figure is set against a baseline measured in the same run, in
// the same rounds: each round times every trial once, in turn, so that a slow
// moment of the machine falls on all of them alike.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace corvane::bench {

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double ElapsedMs() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    }

  private:
    std::chrono::steady_clock::time_point start_;
};

// Keeps memory the process frees for its next use instead of handing it back to
// the system. On these virtual machines the first touch of a fresh page costs far
// more than the work on it, and whether a round got fresh pages depends on what ran
// before it: with freed memory kept, every round after the warm-up measures the
// work. Call it first thing in main.
void KeepFreedMemory();

// CPU time the whole process has used so far, all threads, in milliseconds.
double ProcessCpuMs();

// One piece of work to time: it runs once and returns the milliseconds of the
// part that counts, so that preparing and tidying up stay out of the figure.
using Trial = std::function<double()>;

// Runs every trial `warmups` times untimed, then `rounds` rounds of each in turn;
// the median of each trial's rounds, in the order given.
std::vector<double> MedianRounds(int rounds, int warmups, const std::vector<Trial>& trials);

struct Comparison {
    double program_ms = 0;
    double baseline_ms = 0;
};

Comparison Compare(int rounds, int warmups, const Trial& program, const Trial& baseline);

// "45 ms", "2.31 ms": enough digits to tell figures apart without pretending to precision.
std::string FormatMs(double ms);

// Prints "name: 3.2x baseline (program 45 ms, baseline 14 ms)"; the labels name
// the two sides when they are something else than the program and the baseline.
void PrintRatio(const std::string& name, const Comparison& comparison,
                const std::string& programLabel = "program",
                const std::string& baselineLabel = "baseline");

// Ends the benchmark with a message when its work did not do what it must: a
// figure for work that went wrong would mislead.
void Require(bool condition, const std::string& what);

}  // namespace corvane::bench
