#include "widgets/stringgrid/stringgridcellaccessible.h"

#include "widgets/stringgrid/stringgrid.h"

#include <QWidget>

namespace stringgrid {

StringGridCellAccessible::StringGridCellAccessible(StringGrid* grid, int row, int column)
    : grid_(grid), row_(row), column_(column) {}

void* StringGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool StringGridCellAccessible::isValid() const {
    return grid_ && row_ >= 0 && column_ >= 0 && row_ < grid_->RowCount() &&
           column_ < grid_->ColCount();
}

QWindow* StringGridCellAccessible::window() const {
    return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* StringGridCellAccessible::parent() const {
    return table();
}

QAccessibleInterface* StringGridCellAccessible::table() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString StringGridCellAccessible::text(QAccessible::Text type) const {
    if (!isValid())
        return {};
    if (type == QAccessible::Name || type == QAccessible::Value)
        return grid_->Cells(column_, row_);
    return {};
}

void StringGridCellAccessible::setText(QAccessible::Text type, const QString& text) {
    // Only what the user could type: ordinary cells of a grid that allows editing.
    if (!isValid() || type != QAccessible::Value)
        return;
    if (!(grid_->Options() & GridOption::goEditing) || row_ < grid_->FixedRows() ||
        column_ < grid_->FixedCols())
        return;
    grid_->setCells(column_, row_, text);
}

QRect StringGridCellAccessible::rect() const {
    if (!isValid())
        return {};
    const QRect cell = grid_->CellRect(column_, row_);
    if (cell.isEmpty())
        return {};
    return QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role StringGridCellAccessible::role() const {
    if (isValid() && row_ < grid_->FixedRows())
        return QAccessible::ColumnHeader;
    if (isValid() && column_ < grid_->FixedCols())
        return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State StringGridCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const bool fixed = row_ < grid_->FixedRows() || column_ < grid_->FixedCols();
    state.selectable = !fixed;
    state.focusable = !fixed;
    state.selected = isSelected();
    state.focused = !fixed && grid_->Col() == column_ && grid_->Row() == row_ && grid_->hasFocus();
    state.readOnly = fixed || !(grid_->Options() & GridOption::goEditing);
    state.invisible = grid_->CellRect(column_, row_).isEmpty();
    return state;
}

bool StringGridCellAccessible::isSelected() const {
    if (!isValid() || row_ < grid_->FixedRows() || column_ < grid_->FixedCols())
        return false;
    return grid_->Selection().contains(column_, row_);
}

QList<QAccessibleInterface*> StringGridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    auto* tableInterface = table() ? table()->tableInterface() : nullptr;
    if (!isValid() || !tableInterface || row_ < grid_->FixedRows())
        return headers;
    for (int row = 0; row < grid_->FixedRows(); ++row)
        headers.append(tableInterface->cellAt(row, column_));
    return headers;
}

QList<QAccessibleInterface*> StringGridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    auto* tableInterface = table() ? table()->tableInterface() : nullptr;
    if (!isValid() || !tableInterface || column_ < grid_->FixedCols())
        return headers;
    for (int column = 0; column < grid_->FixedCols(); ++column)
        headers.append(tableInterface->cellAt(row_, column));
    return headers;
}

} // namespace stringgrid
