// TStringAlignGrid: moving to the next cell after an edit or a Tab.

#include "widgets/aligngrid/model/cellstep.h"
#include "widgets/aligngrid/newinplaceedit.h"
#include "widgets/aligngrid/stringaligngrid.h"

using namespace aligngrid;

namespace {

// A search walks each cell at most about twice, even on a grid it grew by one line.
long long stepBudget(const stringgrid::StringGrid& grid) {
    return 2LL * (grid.ColCount() + 2) * (grid.RowCount() + 2);
}

} // namespace

void TStringAlignGrid::stepCell(T_nextcell direction, T_lastcell mode, int& col, int& row,
                                int& growthLeft) {
    if (!stepPosition(direction, shape_, col, row))
        return;
    switch (mode) {
    case lc_first:
        firstCellOf(direction, shape_, col, row);
        break;
    case lc_newcolrow:
        if (growthLeft <= 0)
            break;
        --growthLeft;
        if (const Growth growth = growthFor(direction, shape_); growth.row)
            InsertRow(growth.index);
        else
            InsertCol(growth.index);
        cellAfterGrowth(direction, shape_, col, row);
        break;
    case lc_stop:
    default:
        break;
    }
}

void TStringAlignGrid::StepCell(T_nextcell direction, T_lastcell mode, int& col, int& row) {
    int growthLeft = 1;
    stepCell(direction, mode, col, row, growthLeft);
}

void TStringAlignGrid::NextEditableCell(int& col, int& row) {
    const int startCol = col;
    const int startRow = row;
    // A search that added a line and passes the end again would only add more lines that its
    // cells cannot use: it ends there.
    int growthLeft = 1;
    for (long long budget = stepBudget(*this); budget > 0; --budget) {
        stepCell(NextCellEdit, AfterLastCellEdit, col, row, growthLeft);
        if ((col == startCol && row == startRow) || (col == -1 && row == -1) ||
            IsCellEditable(col, row))
            return;
    }
    col = startCol;
    row = startRow;
}

void TStringAlignGrid::moveAfterEnter() {
    int col = Col();
    int row = Row();
    NextEditableCell(col, row);
    if (col < 0 || row < 0)
        return;
    if (TNewInplaceEdit* editor = Editor()) {
        // The old cell has had its after-edit event at Enter.
        editor->EditCol = -1;
        editor->EditRow = -1;
    }
    setCurrentCell(col, row);
    ShowEditorForEdit();
}

bool TStringAlignGrid::TabKey(bool shift) {
    const int startCol = Col();
    const int startRow = Row();
    int col = startCol;
    int row = startRow;
    const T_nextcell direction = shift ? oppositeOf(NextCellTab) : NextCellTab;
    int growthLeft = 1;
    bool found = false;
    for (long long budget = stepBudget(*this); budget > 0 && !found; --budget) {
        stepCell(direction, AfterLastCellTab, col, row, growthLeft);
        if (col == startCol && row == startRow)
            found = true;
        else if (col == -1 && row == -1)
            break;
        else
            found = TabStops(col);
    }
    if (!found) {
        col = startCol;
        row = startRow;
    }
    setCurrentCell(col, row);
    return true;
}
