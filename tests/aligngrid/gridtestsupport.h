#pragma once
// Fixtures shared by the aligned grid's tests.

#include "format/componentstream.h"
#include "widgets/aligngrid/model/gridshape.h"

#include <QString>
#include <functional>

namespace gridtest {

// A grid shape the tests set freely: 5 x 6 with one fixed column and row by default.
struct TestShape : aligngrid::GridShape {
    int cols = 5, rows = 6, fixedCols = 1, fixedRows = 1;
    aligngrid::TColor color = 0x80000005, fixedColor = 0x8000000F;
    int ColCount() const override { return cols; }
    int RowCount() const override { return rows; }
    int FixedCols() const override { return fixedCols; }
    int FixedRows() const override { return fixedRows; }
    aligngrid::TColor Color() const override { return color; }
    aligngrid::TColor FixedColor() const override { return fixedColor; }
};

// The message of the stream failure that `run` raises, or the empty text when it raises none.
inline QString streamFailureOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const format::StreamError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

} // namespace gridtest
