#include "widgets/aligngrid/model/cellstep.h"

namespace aligngrid {

bool stepPosition(T_nextcell direction, const GridShape& shape, int& col, int& row) noexcept {
    const int cols = shape.ColCount(), rows = shape.RowCount();
    const int fixedCols = shape.FixedCols(), fixedRows = shape.FixedRows();
    bool pastEnd = false;
    switch (direction) {
    case nc_rightdown:
        if (++col >= cols)
            col = fixedCols, ++row;
        pastEnd = row >= rows;
        break;
    case nc_downright:
        if (++row >= rows)
            row = fixedRows, ++col;
        pastEnd = col >= cols;
        break;
    case nc_leftdown:
        if (--col < fixedCols)
            col = cols - 1, ++row;
        pastEnd = row >= rows;
        break;
    case nc_downleft:
        if (++row >= rows)
            row = fixedRows, --col;
        pastEnd = col < fixedCols;
        break;
    case nc_leftup:
        if (--col < fixedCols)
            col = cols - 1, --row;
        pastEnd = row < fixedRows;
        break;
    case nc_upleft:
        if (--row < fixedRows)
            row = rows - 1, --col;
        pastEnd = col < fixedCols;
        break;
    case nc_rightup:
        if (++col >= cols)
            col = fixedCols, --row;
        pastEnd = row < fixedRows;
        break;
    case nc_upright:
    default:
        if (--row < fixedRows)
            row = rows - 1, ++col;
        pastEnd = col >= cols;
        break;
    }
    if (pastEnd)
        col = row = -1;
    return pastEnd;
}

void firstCellOf(T_nextcell direction, const GridShape& shape, int& col, int& row) noexcept {
    const bool fromLeft = direction <= nc_downright || direction >= nc_rightup;
    const bool fromTop = direction <= nc_downleft;
    col = fromLeft ? shape.FixedCols() : shape.ColCount() - 1;
    row = fromTop ? shape.FixedRows() : shape.RowCount() - 1;
}

Growth growthFor(T_nextcell direction, const GridShape& shape) noexcept {
    switch (direction) {
    case nc_rightdown:
    case nc_leftdown:
        return {true, shape.RowCount()};
    case nc_downright:
    case nc_upright:
        return {false, shape.ColCount()};
    case nc_downleft:
    case nc_upleft:
        return {false, shape.FixedCols()};
    case nc_leftup:
    case nc_rightup:
    default:
        return {true, shape.FixedRows()};
    }
}

void cellAfterGrowth(T_nextcell direction, const GridShape& shape, int& col, int& row) noexcept {
    const int lastCol = shape.ColCount() - 1, lastRow = shape.RowCount() - 1;
    const int fixedCols = shape.FixedCols(), fixedRows = shape.FixedRows();
    switch (direction) {
    case nc_rightdown:
        col = fixedCols, row = lastRow;
        break;
    case nc_downright:
        col = lastCol, row = fixedRows;
        break;
    case nc_leftdown:
        col = lastCol, row = lastRow;
        break;
    case nc_downleft:
        col = fixedCols, row = fixedRows;
        break;
    case nc_leftup:
        col = lastCol, row = fixedRows;
        break;
    case nc_upleft:
        col = fixedCols, row = lastRow;
        break;
    case nc_rightup:
        col = fixedCols, row = fixedRows;
        break;
    case nc_upright:
    default:
        col = lastCol, row = lastRow;
        break;
    }
}

T_nextcell oppositeOf(T_nextcell direction) noexcept {
    switch (direction) {
    case nc_rightdown:
        return nc_leftup;
    case nc_leftup:
        return nc_rightdown;
    case nc_downright:
        return nc_upleft;
    case nc_upleft:
        return nc_downright;
    case nc_leftdown:
        return nc_rightup;
    case nc_rightup:
        return nc_leftdown;
    case nc_downleft:
        return nc_upright;
    case nc_upright:
    default:
        return nc_downleft;
    }
}

} // namespace aligngrid
