#pragma once
// The string grid's option set, the drawing state of a cell and a range of cells.

#include <QFlags>

namespace stringgrid {

// The grid's Options; the names are also those read from form data.
enum class GridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridOptions)

// Grid lines between fixed and between ordinary cells, and range selection.
inline constexpr GridOptions defaultGridOptions() {
    return GridOptions(GridOption::goFixedVertLine) | GridOption::goFixedHorzLine |
           GridOption::goVertLine | GridOption::goHorzLine | GridOption::goRangeSelect;
}

// How a cell is painted: inside the selection, the current cell with focus, a fixed cell.
enum class DrawState : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
Q_DECLARE_FLAGS(DrawStates, DrawState)
Q_DECLARE_OPERATORS_FOR_FLAGS(DrawStates)

// A range of cells, both corners included.
struct GridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

} // namespace stringgrid
