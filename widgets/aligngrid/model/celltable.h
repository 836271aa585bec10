#pragma once
// A table of settings for single cells: a list indexed by column whose entries are absent or
// are row lists (indexed by row). Sparse in both dimensions, like IndexTable.

#include "base/indextable.h"

namespace aligngrid {

template <typename T> class CellTable {
public:
    using RowList = base::IndexTable<T>;

    // The value of cell (col, row), or null when absent (either index below 0, no row list for
    // the column, or the row list too short).
    const T* find(int col, int row) const noexcept {
        const RowList* rows = columns_.find(col);
        return rows ? rows->find(row) : nullptr;
    }
    T* find(int col, int row) noexcept {
        RowList* rows = columns_.find(col);
        return rows ? rows->find(row) : nullptr;
    }

    // Stores value at (col, row): creates the column's row list when absent and extends both
    // lists. A negative index stores nothing and raises the list-index failure.
    T& store(int col, int row, T value) {
        if (col < 0)
            throw base::ListIndexError(col);
        if (row < 0)
            throw base::ListIndexError(row);
        RowList* rows = columns_.find(col);
        if (!rows)
            rows = &columns_.store(col, RowList{});
        return rows->store(row, std::move(value));
    }

    void remove(int col, int row) {
        if (RowList* rows = columns_.find(col))
            rows->remove(row);
    }

    // A column is inserted at index: the columns from index on move right by one.
    void insertColumn(int index) { columns_.insertAbsent(index); }

    // A row is inserted at index in every column whose row list is not shorter than index.
    void insertRow(int index) {
        columns_.forEachPresent([index](int, RowList& rows) { rows.insertAbsent(index); });
    }

    void moveColumn(int from, int to) { columns_.move(from, to); }

    // Moves the row entry inside every column's row list. A column without a row list has no
    // entry to move, so it is left without one.
    void moveRow(int from, int to) {
        if (from < 0)
            throw base::ListIndexError(from);
        if (to < 0)
            throw base::ListIndexError(to);
        columns_.forEachPresent([from, to](int, RowList& rows) { rows.move(from, to); });
    }

    void clear() noexcept { columns_.clear(); }
    bool empty() const noexcept { return columns_.empty(); }
    int size() const noexcept { return columns_.size(); }

    // The present columns as (col, row list), by increasing column.
    auto begin() const noexcept { return columns_.begin(); }
    auto end() const noexcept { return columns_.end(); }

private:
    base::IndexTable<RowList> columns_;
};

} // namespace aligngrid
