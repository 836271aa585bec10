#pragma once
// One column's texts by row: only the rows that hold a text, their UTF-16 units side by side in
// one buffer. A text costs its units and one small entry rather than a heap block of its own, so
// a column of thousands of cells fills, and is freed, in a few large blocks. Plain C++.

#include "base/indextable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace stringgrid {

class ColumnTexts {
public:
    // The text at row; empty when the row holds none. Valid until the column next changes.
    std::u16string_view find(int row) const noexcept;

    // Gives row the text (an empty one makes the row absent). A negative row raises the
    // list-index failure.
    void store(int row, std::u16string_view text);
    void remove(int row);
    // As base::IndexTable: the entry at from goes to to, those between shift by one.
    void move(int from, int to) { spans_.move(from, to); }
    // Makes every row from length on absent.
    void truncate(int length);
    // Makes room for texts entries and units UTF-16 units, for a fill in row order.
    void reserve(std::size_t texts, std::size_t units);

    bool empty() const noexcept { return spans_.empty(); }
    // One past the highest row a text was ever stored at (and not truncated away).
    int length() const noexcept { return spans_.size(); }
    std::size_t presentCount() const noexcept { return spans_.presentCount(); }
    // The UTF-16 units the buffer holds, those of replaced texts included.
    std::size_t unitCount() const noexcept { return units_.size(); }

    // Calls f(row, text) for every text, by increasing row.
    template <typename F> void forEach(F&& f) const {
        for (const auto& [row, span] : spans_)
            f(row, view(span));
    }

private:
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    std::u16string_view view(const Span& span) const noexcept {
        return std::u16string_view(units_).substr(span.offset, span.length);
    }
    void forget(const Span& span) noexcept { unused_ += span.length; }
    void compactIfWasteful();

    base::IndexTable<Span> spans_;
    std::u16string units_;
    std::size_t unused_ = 0; // units no span refers to any more (replaced or removed texts)
};

} // namespace stringgrid
