#include "widgets/stringgrid/model/gridaxis.h"

#include <algorithm>

namespace stringgrid {

GridAxis::GridAxis(int count, int fixed, int defaultSize)
    : count_(count), fixed_(fixed), default_(defaultSize) {}

void GridAxis::setCount(int count) {
    count_ = count;
    sizes_.truncate(count);
    dirty_ = true;
}

void GridAxis::setFixed(int fixed) {
    fixed_ = fixed;
}

void GridAxis::setDefaultSize(int size) {
    default_ = size;
    sizes_.clear();
    dirty_ = true;
}

int GridAxis::size(int index) const {
    const int* own = sizes_.find(index);
    return own ? *own : default_;
}

void GridAxis::setSize(int index, int size) {
    if (index < 0 || index >= count_)
        return;
    if (size == default_)
        sizes_.remove(index);
    else
        sizes_.store(index, size);
    dirty_ = true;
}

void GridAxis::rebuild() const {
    keys_.clear();
    cumulative_.assign(1, 0);
    keys_.reserve(sizes_.presentCount());
    cumulative_.reserve(sizes_.presentCount() + 1);
    for (const auto& [index, size] : sizes_) {
        keys_.push_back(index);
        cumulative_.push_back(cumulative_.back() + (size - default_));
    }
    dirty_ = false;
}

long long GridAxis::deltaBefore(int index) const {
    if (dirty_)
        rebuild();
    auto position = std::lower_bound(keys_.begin(), keys_.end(), index) - keys_.begin();
    return cumulative_[static_cast<std::size_t>(position)];
}

long long GridAxis::start(int index, int line) const {
    index = std::clamp(index, 0, count_);
    return static_cast<long long>(index) * (default_ + line) + deltaBefore(index);
}

int GridAxis::indexAt(long long offset, int line) const {
    if (offset < 0)
        return -1;
    // The largest index whose start is at or before the offset.
    int low = 0;
    int high = count_; // start(count) is the end of the grid
    if (offset >= start(count_, line))
        return count_;
    while (high - low > 1) {
        int middle = low + (high - low) / 2;
        if (start(middle, line) <= offset)
            low = middle;
        else
            high = middle;
    }
    return low;
}

void GridAxis::move(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= count_ || to >= count_)
        return;
    sizes_.move(from, to);
    dirty_ = true;
}

} // namespace stringgrid
