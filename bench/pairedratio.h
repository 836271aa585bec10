#pragma once
// The ratio of two pieces of work timed back to back. Each repetition times a slice of the
// baseline, a slice of ours, then the baseline again, and divides ours by the mean of the two
// baselines around it; the figure is the median of those ratios, printed with their range. A
// shared machine's speed drifts over seconds as its neighbours come and go: medians taken at
// different moments moved by a fifth between runs of the same build. Timed within the same few
// tenths of a second, both sides meet the same machine, and a steady drift cancels out of the
// sandwich.

#include "bench/stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string_view>
#include <sys/personality.h>
#include <unistd.h>
#include <vector>

namespace bench {

inline constexpr int kRepetitions = 15;

// The CPU time of the calling thread, in milliseconds: the time our own code ran, whatever else
// the machine runs meanwhile. Every side of every ratio runs on this one thread.
inline double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Keeps the compiler from dropping work whose result nothing reads: the pointed-to memory may
// be read here, as far as it knows.
inline void keep(const void* result) {
    asm volatile("" : : "g"(result) : "memory");
}

// One side of a ratio: a name to print and one unit of its work.
struct Work {
    std::string_view name;
    std::function<void()> once;
};

struct PairedTimes {
    std::vector<double> ours;     // milliseconds a unit, one a repetition
    std::vector<double> baseline; // two a repetition, before and after ours
    std::vector<double> ratios;   // ours / mean of its two baselines
};

// Times the given units of work in a row, in milliseconds a unit.
inline double millisecondsPerUnit(const Work& work, int units) {
    const double start = threadMilliseconds();
    for (int i = 0; i < units; ++i) {
        work.once();
    }
    return (threadMilliseconds() - start) / units;
}

// How many units fill a slice of about sliceMs: one unit first, outside any figure, also
// warms what the work touches.
inline int unitsFilling(const Work& work, double sliceMs) {
    const double once = millisecondsPerUnit(work, 1);
    return once >= sliceMs ? 1 : std::clamp(int(sliceMs / std::max(once, 1e-6)), 1, 1'000'000);
}

inline PairedTimes timeInPairs(const Work& ours, const Work& baseline, int repetitions,
                               double sliceMs = 100) {
    const int ourUnits = unitsFilling(ours, sliceMs);
    const int baseUnits = unitsFilling(baseline, sliceMs);
    PairedTimes times;
    for (int i = 0; i < repetitions; ++i) {
        const double before = millisecondsPerUnit(baseline, baseUnits);
        const double mine = millisecondsPerUnit(ours, ourUnits);
        const double after = millisecondsPerUnit(baseline, baseUnits);
        times.ours.push_back(mine);
        times.baseline.push_back(before);
        times.baseline.push_back(after);
        if (before + after > 0) {
            times.ratios.push_back(mine / ((before + after) / 2));
        }
    }
    return times;
}

// Prints "<name>  <median> ms [lowest .. highest, n times]" for one side's times.
inline void printTimes(std::string_view name, const std::vector<double>& milliseconds) {
    const Summary summary = summarize(milliseconds);
    std::printf("%-44.*s %10.4f ms [%.4f .. %.4f, %zu times]\n", int(name.size()), name.data(),
                summary.median, summary.low, summary.high, summary.count);
}

// Times ours against its baseline and prints both sides' times and "ratio <label>: <median of
// the repetitions' ratios> [lowest .. highest, n repetitions] (aim <= <aim>) ok|ABOVE AIM".
inline void printPairedRatio(std::string_view label, const Work& ours, const Work& baseline,
                             int repetitions, double aim) {
    const PairedTimes times = timeInPairs(ours, baseline, repetitions);
    printTimes(ours.name, times.ours);
    printTimes(baseline.name, times.baseline);
    const Summary summary = summarize(times.ratios);
    std::printf("ratio %.*s: %.3f [%.3f .. %.3f, %zu repetitions] (aim <= %.2f) %s\n",
                int(label.size()), label.data(), summary.median, summary.low, summary.high,
                summary.count, aim, summary.median <= aim ? "ok" : "ABOVE AIM");
    std::fflush(stdout);
}

// Runs this benchmark again with the same address layout every time, once per process. Where the
// system places the code, the heap and the stack moves a figure between runs, by as much as a
// tenth (FormatNumber / snprintf read 0.089 or 0.100, by process); repetitions within a run all
// meet the same layout and cannot average it out. Where the layout cannot be fixed, runs on.
inline void fixAddressLayout(char** argv) {
    const int current = personality(0xffffffff);
    if (current == -1 || (current & ADDR_NO_RANDOMIZE) != 0) {
        return;
    }
    if (personality(static_cast<unsigned long>(current) | ADDR_NO_RANDOMIZE) == -1) {
        return;
    }
    execv("/proc/self/exe", argv);
    // Not replaced: this process keeps its layout and runs on.
}

// The repetitions asked for with --repetitions=N, or kRepetitions.
inline int repetitionsFrom(int argc, char** argv) {
    constexpr std::string_view option = "--repetitions=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, option.size()) == option) {
            return std::max(1, std::atoi(argv[i] + option.size()));
        }
    }
    return kRepetitions;
}

} // namespace bench
