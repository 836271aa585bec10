#pragma once
// A list of settings indexed by column or row number, each entry absent or holding one value.
//
// Only present entries take memory: they are kept sorted by index, so a setting for row
// 999 999 costs one entry, and a lookup is a binary search that never allocates. The list also
// keeps its logical length (one past the highest index ever extended to), which decides whether
// an insertion shifts it.

#include "base/failure.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>
#include <vector>

namespace base {

template <typename T> class IndexTable {
public:
    using Entry = std::pair<int, T>;
    using const_iterator = typename std::vector<Entry>::const_iterator;

    // The value at index, or null when absent (a negative index or one beyond the end reads
    // as absent).
    const T* find(int index) const noexcept {
        const auto it = lowerBound(index);
        return it != entries_.end() && it->first == index ? &it->second : nullptr;
    }
    T* find(int index) noexcept {
        const auto it = std::as_const(*this).lowerBound(index);
        return it != entries_.end() && it->first == index
                   ? &entries_[static_cast<std::size_t>(it - entries_.cbegin())].second
                   : nullptr;
    }

    // Stores value at index, extending the list first and replacing (releasing) an earlier
    // value. A negative index stores nothing and raises the list-index failure.
    T& store(int index, T value) {
        if (index < 0)
            throw base::ListIndexError(index);
        length_ = std::max(length_, plusOne(index));
        // Values stored in index order (a load, a fill) append without a search.
        if (entries_.empty() || entries_.back().first < index)
            return entries_.emplace_back(index, std::move(value)).second;
        auto it = entries_.begin() + (lowerBound(index) - entries_.cbegin());
        if (it != entries_.end() && it->first == index) {
            it->second = std::move(value);
            return it->second;
        }
        return entries_.insert(it, Entry{index, std::move(value)})->second;
    }

    // Makes index absent.
    void remove(int index) {
        const auto it = lowerBound(index);
        if (it != entries_.end() && it->first == index)
            entries_.erase(it);
    }

    // Inserts an absent entry at index when index is not beyond the length: entries from index
    // on move up by one. An entry pushed past the largest index is dropped.
    void insertAbsent(int index) {
        if (index < 0 || index > length_)
            return;
        length_ = plusOne(length_);
        if (!entries_.empty() && entries_.back().first == INT_MAX)
            entries_.pop_back();
        for (auto it = entries_.begin() + (lowerBound(index) - entries_.cbegin());
             it != entries_.end(); ++it)
            ++it->first;
    }

    // Moves the entry at from to to: it is taken out, later entries move down by one, and it is
    // put back in at to, entries from to on moving up. Only the entries between the two indices
    // change place, so a move costs what lies between them.
    void move(int from, int to) {
        if (from < 0)
            throw base::ListIndexError(from);
        if (to < 0)
            throw base::ListIndexError(to);
        if (from == to || length_ <= std::min(from, to))
            return; // nothing present at or after either index: no entry changes place
        const int lengthAfter = std::max({length_, plusOne(from), plusOne(to)});
        const auto first = entries_.begin() + (lowerBound(std::min(from, to)) - entries_.cbegin());
        const auto last = entries_.begin() + (upperBound(std::max(from, to)) - entries_.cbegin());
        if (from < to) {
            const bool taken = first != last && first->first == from;
            const auto shifted = taken ? std::rotate(first, first + 1, last) : last;
            for (auto it = first; it != shifted; ++it)
                --it->first;
            if (taken)
                shifted->first = to;
        } else {
            const bool taken = first != last && std::prev(last)->first == from;
            if (taken)
                std::rotate(first, std::prev(last), last);
            for (auto it = taken ? first + 1 : first; it != last; ++it)
                ++it->first;
            if (taken)
                first->first = to;
        }
        length_ = lengthAfter;
    }

    // Makes every index from length on absent and shortens the list to length when it is longer.
    void truncate(int length) {
        length = std::max(0, length);
        entries_.erase(entries_.begin() + (lowerBound(length) - entries_.cbegin()), entries_.end());
        length_ = std::min(length_, length);
    }

    // Calls f(index, value) for every present entry, by increasing index; f may change values.
    template <typename F> void forEachPresent(F&& f) {
        for (auto& entry : entries_)
            f(entry.first, entry.second);
    }

    // Empties the list, releasing every value.
    void clear() noexcept {
        entries_.clear();
        length_ = 0;
    }

    // Makes room for count present entries, so that storing them in index order allocates once.
    void reserve(std::size_t count) { entries_.reserve(count); }

    int size() const noexcept { return length_; }
    bool empty() const noexcept { return entries_.empty(); }
    std::size_t presentCount() const noexcept { return entries_.size(); }

    // The present entries as (index, value), by increasing index.
    const_iterator begin() const noexcept { return entries_.cbegin(); }
    const_iterator end() const noexcept { return entries_.cend(); }

private:
    static int plusOne(int index) noexcept { return index < INT_MAX ? index + 1 : INT_MAX; }

    // Past the last entry needs no search: a load or a fill asks that of every value it stores.
    const_iterator lowerBound(int index) const noexcept {
        if (entries_.empty() || entries_.back().first < index)
            return entries_.cend();
        return std::lower_bound(entries_.cbegin(), entries_.cend(), index,
                                [](const Entry& e, int i) { return e.first < i; });
    }
    const_iterator upperBound(int index) const noexcept {
        return std::upper_bound(entries_.cbegin(), entries_.cend(), index,
                                [](int i, const Entry& e) { return i < e.first; });
    }

    std::vector<Entry> entries_;
    int length_ = 0;
};

} // namespace base
