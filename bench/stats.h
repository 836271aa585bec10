#pragma once
// Medians and spreads of repeated measurements: a figure is the median of its repetitions, shown
// with the range the repetitions covered, so that a reader sees how far one run can be trusted.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

struct Summary {
    double median = 0;
    double low = 0;  // the smallest repetition
    double high = 0; // the largest repetition
    std::size_t count = 0;

    // The range of the repetitions relative to their median (0.05 = the values lie within 5 %).
    double relativeSpread() const { return median != 0 ? (high - low) / median : 0; }
};

inline Summary summarize(std::vector<double> values) {
    Summary summary;
    summary.count = values.size();
    if (values.empty()) {
        return summary;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    summary.median =
        values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    summary.low = values.front();
    summary.high = values.back();
    return summary;
}

} // namespace bench
