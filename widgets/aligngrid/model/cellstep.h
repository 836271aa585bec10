#pragma once
// One step of the grid's cell navigation in one of the eight reading orders, and where each
// order starts and grows. Pure: the grid applies the growth (inserting a row or column).

#include "widgets/aligngrid/model/aligntypes.h"
#include "widgets/aligngrid/model/gridshape.h"

namespace aligngrid {

// Moves (col, row) one step in direction, wrapping to the next line of the order. Returns true
// when the step passed the end of the grid; the position is then (-1, -1).
bool stepPosition(T_nextcell direction, const GridShape& shape, int& col, int& row) noexcept;

// The first cell of the order (where lc_first starts again).
void firstCellOf(T_nextcell direction, const GridShape& shape, int& col, int& row) noexcept;

// What lc_newcolrow adds for a direction: a row or a column, at which index.
struct Growth {
    bool row;
    int index;
};
Growth growthFor(T_nextcell direction, const GridShape& shape) noexcept;

// The cell of the added row or column where the order goes on (counts after the insertion).
void cellAfterGrowth(T_nextcell direction, const GridShape& shape, int& col, int& row) noexcept;

// The same order walked backwards (Shift+Tab).
T_nextcell oppositeOf(T_nextcell direction) noexcept;

} // namespace aligngrid
