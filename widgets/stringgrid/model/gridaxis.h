#pragma once
// One dimension of a grid: the number of columns (or rows), how many are fixed, and the size of
// each, stored as a default plus the few sizes that differ. Positions are found in O(log n) from
// a cache of the differing sizes' running sums, so a million rows cost nothing until sized.
// Pure C++.

#include "base/indextable.h"

#include <vector>

namespace stringgrid {

class GridAxis {
public:
    explicit GridAxis(int count, int fixed, int defaultSize);

    int count() const { return count_; }
    void setCount(int count); // sizes of removed entries are forgotten
    int fixed() const { return fixed_; }
    void setFixed(int fixed);

    int defaultSize() const { return default_; }
    void setDefaultSize(int size); // every entry takes the new default
    int size(int index) const;
    void setSize(int index, int size); // index in [0, count)
    bool hasOwnSizes() const { return !sizes_.empty(); }

    // Offset of the leading edge of `index` (0 <= index <= count) from the leading edge of
    // entry 0, each entry followed by a line of `line` pixels.
    long long start(int index, int line) const;
    // The entry whose extent (size plus line) holds `offset`; count when past the end.
    int indexAt(long long offset, int line) const;

    // The size at `from` is taken out and inserted at `to`; those between shift by one.
    void move(int from, int to);

private:
    void rebuild() const;
    long long deltaBefore(int index) const;

    int count_;
    int fixed_;
    int default_;
    base::IndexTable<int> sizes_; // only the sizes that differ from the default
    mutable bool dirty_ = true;
    mutable std::vector<int> keys_;
    mutable std::vector<long long> cumulative_; // cumulative_[k] = sum of deltas of keys_[0..k)
};

} // namespace stringgrid
