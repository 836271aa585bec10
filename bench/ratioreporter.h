#pragma once
// Console reporter that keeps each benchmark's time per iteration, so that a benchmark program
// can print its figures as ratios against a baseline measured in the same run.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum class Clock { Cpu, Real };

    explicit RatioReporter(Clock clock = Clock::Cpu) : clock_(clock) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.run_name.function_name] =
                    clock_ == Clock::Cpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints "ratio <label>: <ours / baseline> (aim <= <aim>)"; nothing when either did not run.
    void printRatio(const char* label, const std::string& ours, const std::string& baseline,
                    double aim) const {
        const auto o = times_.find(ours);
        const auto b = times_.find(baseline);
        if (o == times_.end() || b == times_.end() || b->second <= 0) {
            return;
        }
        const double ratio = o->second / b->second;
        std::printf("ratio %s: %.3f (aim <= %.1f) %s\n", label, ratio, aim,
                    ratio <= aim ? "ok" : "ABOVE AIM");
    }

private:
    Clock clock_;
    std::map<std::string, double> times_;
};

} // namespace bench
