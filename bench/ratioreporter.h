#pragma once
// Console reporter that keeps every repetition's time per iteration of each benchmark, so that a
// benchmark program can print its figures as ratios of medians against a baseline measured in the
// same run, each with the range its repetitions covered. One repetition on a busy machine is no
// figure: `initialize` runs every benchmark kRepetitions times, interleaved at random with the
// others so that drift of the machine reaches ours and the baseline alike.

#include "bench/stats.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

inline constexpr int kRepetitions = 7;

// benchmark::Initialize with our defaults in front of the command line, which may override them.
inline void initialize(int* argc, char** argv) {
    static std::string repetitions = "--benchmark_repetitions=" + std::to_string(kRepetitions);
    static std::string interleaving = "--benchmark_enable_random_interleaving=true";
    static std::vector<char*> arguments;
    arguments.assign(argv, argv + *argc);
    arguments.insert(arguments.begin() + 1, {repetitions.data(), interleaving.data()});
    arguments.push_back(nullptr);
    int count = static_cast<int>(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    *argc = count;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum class Clock { Cpu, Real };

    // Colours only on a terminal: the library applies --benchmark_color to its own reporter
    // alone, and in a file or a pipe the escapes would stand in front of the ratio lines.
    explicit RatioReporter(Clock clock = Clock::Cpu)
        : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_ColorTabular : OO_Tabular),
          clock_(clock) {}

    // Keeps the repetitions and shows only each benchmark's median and variation, which are the
    // figures; the repetitions themselves would bury them.
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.run_name.function_name].push_back(
                    clock_ == Clock::Cpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime());
                if (run.repetitions <= 1) {
                    shown.push_back(run); // a single run has no aggregates
                }
            } else if (run.run_type == Run::RT_Aggregate &&
                       (run.aggregate_name == "median" || run.aggregate_name == "cv")) {
                shown.push_back(run);
            }
        }
        if (!shown.empty()) {
            ConsoleReporter::ReportRuns(shown);
        }
    }

    // Prints "ratio <label>: <median ours / median baseline> [lowest .. highest of the ratios of
    // the repetitions taken in pairs] (aim <= <aim>)"; nothing when either did not run.
    void printRatio(const char* label, const std::string& ours, const std::string& baseline,
                    double aim) const {
        const auto o = times_.find(ours);
        const auto b = times_.find(baseline);
        if (o == times_.end() || b == times_.end()) {
            return;
        }
        const Summary oursSummary = summarize(o->second);
        const Summary baseSummary = summarize(b->second);
        if (baseSummary.median <= 0) {
            return;
        }
        std::vector<double> pairs;
        for (std::size_t i = 0; i < o->second.size() && i < b->second.size(); ++i) {
            if (b->second[i] > 0) {
                pairs.push_back(o->second[i] / b->second[i]);
            }
        }
        const Summary pairSummary = summarize(pairs);
        const double ratio = oursSummary.median / baseSummary.median;
        std::printf("ratio %s: %.3f [%.3f .. %.3f, %zu repetitions] (aim <= %.2f) %s\n", label,
                    ratio, pairSummary.low, pairSummary.high, pairSummary.count, aim,
                    ratio <= aim ? "ok" : "ABOVE AIM");
    }

private:
    Clock clock_;
    std::map<std::string, std::vector<double>> times_;
};

} // namespace bench
