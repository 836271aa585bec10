#include "widgets/aligngrid/model/alignsettingsdiff.h"

#include "widgets/aligngrid/model/alignstreamdata.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace aligngrid {

namespace {

// Values as the stream writes them: fonts and brushes by their attributes, the rest as is.
bool same(const FontPtr& a, const FontPtr& b) {
    return a && b && a->sameAttributes(*b);
}
bool same(const BrushPtr& a, const BrushPtr& b) {
    return a && b && a->sameAttributes(*b);
}
template <typename T> bool same(const T& a, const T& b) {
    return a == b;
}

// Whether the writer writes an entry: fonts and brushes only once changed.
bool kept(const FontPtr& font) {
    return font && font->Changed();
}
bool kept(const BrushPtr& brush) {
    return brush && brush->Changed();
}
template <typename T> bool kept(const T&) {
    return true;
}

template <typename T> using Entries = std::vector<std::pair<std::pair<int, int>, const T*>>;

template <typename T> Entries<T> entriesOf(const base::IndexTable<T>& table, int count, bool all) {
    Entries<T> out;
    for (const auto& [index, value] : table) {
        if (all || (index < count && kept(value))) {
            out.push_back({{index, 0}, &value});
        }
    }
    return out;
}

template <typename T>
Entries<T> entriesOf(const CellTable<T>& table, int colCount, int rowCount, bool all) {
    Entries<T> out;
    for (const auto& [col, rows] : table) {
        if (all || col < colCount) {
            for (const auto& [row, value] : rows) {
                if (all || (row < rowCount && kept(value))) {
                    out.push_back({{col, row}, &value});
                }
            }
        }
    }
    return out;
}

class Diff {
public:
    Diff(const AlignSettings& written, const AlignSettings& read, int colCount, int rowCount)
        : written_(written), read_(read), cols_(std::min(colCount, streamIndexLimit)),
          rows_(std::min(rowCount, streamIndexLimit)) {}

    template <typename T>
    void index(StoredTable table, const base::IndexTable<T>& a, const base::IndexTable<T>& b,
               bool columns) {
        const Entries<T> expected =
            written_.Flag(table) ? entriesOf(a, columns ? cols_ : rows_, false) : Entries<T>{};
        compare(table, expected, entriesOf(b, 0, true));
    }

    template <typename T>
    void cells(StoredTable table, const CellTable<T>& a, const CellTable<T>& b) {
        const Entries<T> expected =
            written_.Flag(table) ? entriesOf(a, cols_, rows_, false) : Entries<T>{};
        compare(table, expected, entriesOf(b, 0, 0, true));
    }

    std::string take() { return std::move(out_); }

private:
    template <typename T>
    void compare(StoredTable table, const Entries<T>& expected, const Entries<T>& got) {
        const std::string name(storedTableName(table));
        const std::size_t n = std::max(expected.size(), got.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (i >= expected.size() || i >= got.size() || expected[i].first != got[i].first ||
                !same(*expected[i].second, *got[i].second)) {
                const auto at = i < expected.size() ? expected[i].first : got[i].first;
                out_ += name + ": " + std::to_string(at.first) + "," + std::to_string(at.second) +
                        " differs\n";
                break;
            }
        }
        if (read_.Flag(table) != !expected.empty()) {
            out_ += name + " flag: " + (read_.Flag(table) ? "true" : "false") + "\n";
        }
    }

    const AlignSettings& written_;
    const AlignSettings& read_;
    int cols_;
    int rows_;
    std::string out_;
};

} // namespace

std::string streamedDifference(const AlignSettings& written, const AlignSettings& read,
                               int colCount, int rowCount) {
    Diff d(written, read, colCount, rowCount);
    const AlignSettings& a = written;
    const AlignSettings& b = read;
    using T = StoredTable;
    d.cells(T::AlignCell, a.AlignCell(), b.AlignCell());
    d.index(T::AlignCol, a.AlignCol(), b.AlignCol(), true);
    d.index(T::AlignRow, a.AlignRow(), b.AlignRow(), false);
    d.index(T::FixedAlignCol, a.FixedAlignCol(), b.FixedAlignCol(), true);
    d.index(T::FixedAlignRow, a.FixedAlignRow(), b.FixedAlignRow(), false);
    d.cells(T::EditCell, a.EditCell(), b.EditCell());
    d.index(T::EditCol, a.EditCol(), b.EditCol(), true);
    d.index(T::EditRow, a.EditRow(), b.EditRow(), false);
    d.cells(T::HintCell, a.HintCell(), b.HintCell());
    d.cells(T::FontCell, a.FontCell(), b.FontCell());
    d.index(T::FontCol, a.FontCol(), b.FontCol(), true);
    d.index(T::FontRow, a.FontRow(), b.FontRow(), false);
    d.index(T::FontFixedCol, a.FontFixedCol(), b.FontFixedCol(), true);
    d.index(T::FontFixedRow, a.FontFixedRow(), b.FontFixedRow(), false);
    d.cells(T::BrushCell, a.BrushCell(), b.BrushCell());
    d.index(T::BrushCol, a.BrushCol(), b.BrushCol(), true);
    d.index(T::BrushRow, a.BrushRow(), b.BrushRow(), false);
    d.index(T::BrushFixedCol, a.BrushFixedCol(), b.BrushFixedCol(), true);
    d.index(T::BrushFixedRow, a.BrushFixedRow(), b.BrushFixedRow(), false);
    d.cells(T::SelectedColorCell, a.SelectedColorCell(), b.SelectedColorCell());
    d.index(T::SelectedColorCol, a.SelectedColorCol(), b.SelectedColorCol(), true);
    d.index(T::SelectedColorRow, a.SelectedColorRow(), b.SelectedColorRow(), false);
    return d.take();
}

} // namespace aligngrid
