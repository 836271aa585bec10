#pragma once
// The ratio of two pieces of work timed back to back. Each repetition times the baseline, ours,
// then the baseline again, and divides ours by the mean of the two baselines around it. A shared
// machine's speed drifts over seconds, as its neighbours come and go: timed apart, the same
// work moved by a quarter between repetitions, and so did any ratio of two medians taken at
// different moments. Timed within the same second, both meet the same machine, and a steady
// drift cancels out of the sandwich.

#include "bench/stats.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <string_view>
#include <vector>

namespace bench {

// The CPU time of the calling thread, in milliseconds: the time our own code ran.
inline double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

inline double millisecondsOf(const std::function<void()>& work) {
    const double start = threadMilliseconds();
    work();
    return threadMilliseconds() - start;
}

struct PairedTimes {
    std::vector<double> ours;     // milliseconds, one a repetition
    std::vector<double> baseline; // two a repetition, before and after ours
    std::vector<double> ratios;   // ours / mean of its two baselines
};

inline PairedTimes timeInPairs(const std::function<void()>& ours,
                               const std::function<void()>& baseline, int repetitions) {
    PairedTimes times;
    for (int i = 0; i < repetitions; ++i) {
        const double before = millisecondsOf(baseline);
        const double mine = millisecondsOf(ours);
        const double after = millisecondsOf(baseline);
        times.ours.push_back(mine);
        times.baseline.push_back(before);
        times.baseline.push_back(after);
        if (before + after > 0) {
            times.ratios.push_back(mine / ((before + after) / 2));
        }
    }
    return times;
}

// Prints "<name>: <median> ms [lowest .. highest, n]" for one side's times.
inline void printTimes(std::string_view name, const std::vector<double>& milliseconds) {
    const Summary summary = summarize(milliseconds);
    std::printf("%-40.*s %8.1f ms [%.1f .. %.1f, %zu times]\n", int(name.size()), name.data(),
                summary.median, summary.low, summary.high, summary.count);
}

// Prints "ratio <label>: <median of the repetitions' ratios> [lowest .. highest, n repetitions]
// (aim <= <aim>)", as RatioReporter does.
inline void printPairedRatio(std::string_view label, const PairedTimes& times, double aim) {
    const Summary summary = summarize(times.ratios);
    std::printf("ratio %.*s: %.3f [%.3f .. %.3f, %zu repetitions] (aim <= %.2f) %s\n",
                int(label.size()), label.data(), summary.median, summary.low, summary.high,
                summary.count, aim, summary.median <= aim ? "ok" : "ABOVE AIM");
}

} // namespace bench
