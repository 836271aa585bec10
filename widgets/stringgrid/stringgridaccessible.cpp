#include "widgets/stringgrid/stringgridaccessible.h"

#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridcellaccessible.h"

#include <climits>

namespace stringgrid {

namespace {

QAccessibleInterface* gridFactory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<StringGrid*>(object))
        // Qt's interface cache takes it.
        return new StringGridAccessible(grid);
    return nullptr;
}

quint64 key(int row, int column) {
    return (quint64(quint32(row)) << 32) | quint32(column);
}

} // namespace

namespace {
// Process-wide as Qt's own hook (QAccessible::installUpdateHandler), which cannot stand in
// for it: while no assistive tool is attached, that hook missed the grid's focus and model-change
// events (tried: two of the accessibility tests failed).
AccessibleEventObserver& observer() {
    static AccessibleEventObserver installed;
    return installed;
}
} // namespace

AccessibleEventObserver setAccessibleEventObserver(AccessibleEventObserver next) {
    AccessibleEventObserver previous = std::move(observer());
    observer() = std::move(next);
    return previous;
}

void sendAccessibleEvent(QAccessibleEvent& event) {
    if (observer())
        observer()(event);
    QAccessible::updateAccessibility(&event);
}

void installStringGridAccessibility() {
    // Qt keeps one list of factories for the whole process, and a factory installed twice is
    // asked twice: the flag is as wide as that list.
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(gridFactory);
        installed = true;
    }
}

StringGridAccessible::StringGridAccessible(StringGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

StringGridAccessible::~StringGridAccessible() {
    for (QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
}

StringGrid* StringGridAccessible::grid() const {
    return static_cast<StringGrid*>(widget());
}

void* StringGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int StringGridAccessible::childCount() const {
    const long long count = static_cast<long long>(rowCount()) * columnCount();
    return count > INT_MAX ? INT_MAX : int(count);
}

QAccessibleInterface* StringGridAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns <= 0)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int StringGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this)
        return -1;
    const long long index =
        static_cast<long long>(cell->rowIndex()) * columnCount() + cell->columnIndex();
    return index > INT_MAX ? -1 : int(index);
}

QAccessibleInterface* StringGridAccessible::childAt(int x, int y) const {
    const QPoint pos = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    int col = -1;
    int row = -1;
    grid()->MouseToCell(pos, col, row);
    return col < 0 ? nullptr : cellAt(row, col);
}

QAccessibleInterface* StringGridAccessible::focusChild() const {
    if (!grid()->hasFocus())
        return nullptr;
    return cellAt(grid()->Row(), grid()->Col());
}

QAccessibleInterface* StringGridAccessible::caption() const {
    return nullptr;
}
QAccessibleInterface* StringGridAccessible::summary() const {
    return nullptr;
}

QAccessibleInterface* StringGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const quint64 cellKey = key(row, column);
    if (auto found = cells_.constFind(cellKey); found != cells_.constEnd())
        return QAccessible::accessibleInterface(*found);
    // Qt's interface cache takes it.
    auto* cell = new StringGridCellAccessible(grid(), row, column);
    cells_.insert(cellKey, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int StringGridAccessible::columnCount() const {
    return grid()->ColCount();
}
int StringGridAccessible::rowCount() const {
    return grid()->RowCount();
}

QString StringGridAccessible::columnDescription(int column) const {
    return grid()->FixedRows() > 0 ? grid()->Cells(column, 0) : QString();
}

QString StringGridAccessible::rowDescription(int row) const {
    return grid()->FixedCols() > 0 ? grid()->Cells(0, row) : QString();
}

int StringGridAccessible::selectedCellCount() const {
    const GridRect rect = grid()->Selection();
    const long long count =
        static_cast<long long>(rect.Right - rect.Left + 1) * (rect.Bottom - rect.Top + 1);
    return count > INT_MAX ? INT_MAX : int(count);
}

QList<QAccessibleInterface*> StringGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    const GridRect rect = grid()->Selection();
    // A range can span a million rows: hand out a bounded number of cells.
    constexpr int limit = 10000;
    for (int row = rect.Top; row <= rect.Bottom && cells.size() < limit; ++row)
        for (int column = rect.Left; column <= rect.Right && cells.size() < limit; ++column)
            cells.append(cellAt(row, column));
    return cells;
}

bool StringGridAccessible::isColumnSelected(int column) const {
    const GridRect rect = grid()->Selection();
    return column >= rect.Left && column <= rect.Right && rect.Top == grid()->FixedRows() &&
           rect.Bottom == grid()->RowCount() - 1;
}

bool StringGridAccessible::isRowSelected(int row) const {
    const GridRect rect = grid()->Selection();
    return row >= rect.Top && row <= rect.Bottom && rect.Left == grid()->FixedCols() &&
           rect.Right == grid()->ColCount() - 1;
}

int StringGridAccessible::selectedColumnCount() const {
    return int(selectedColumns().size());
}
int StringGridAccessible::selectedRowCount() const {
    return int(selectedRows().size());
}

QList<int> StringGridAccessible::selectedColumns() const {
    QList<int> columns;
    const GridRect rect = grid()->Selection();
    for (int column = rect.Left; column <= rect.Right; ++column)
        if (isColumnSelected(column))
            columns.append(column);
    return columns;
}

QList<int> StringGridAccessible::selectedRows() const {
    QList<int> rows;
    const GridRect rect = grid()->Selection();
    constexpr int limit = 10000;
    for (int row = rect.Top; row <= rect.Bottom && rows.size() < limit; ++row)
        if (isRowSelected(row))
            rows.append(row);
    return rows;
}

bool StringGridAccessible::selectRow(int row) {
    if (row < grid()->FixedRows() || row >= grid()->RowCount())
        return false;
    grid()->setSelection({grid()->FixedCols(), row, grid()->ColCount() - 1, row});
    return true;
}

bool StringGridAccessible::selectColumn(int column) {
    if (column < grid()->FixedCols() || column >= grid()->ColCount())
        return false;
    grid()->setSelection({column, grid()->FixedRows(), column, grid()->RowCount() - 1});
    return true;
}

// The selection always holds the current cell: nothing can be unselected on its own.
bool StringGridAccessible::unselectRow(int) {
    return false;
}
bool StringGridAccessible::unselectColumn(int) {
    return false;
}

void StringGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    // Cells outside the new counts are released; the others read their texts live.
    for (auto it = cells_.begin(); it != cells_.end();) {
        const int row = int(it.key() >> 32);
        const int column = int(it.key() & 0xFFFFFFFFu);
        if (row >= rowCount() || column >= columnCount()) {
            QAccessible::deleteAccessibleInterface(it.value());
            it = cells_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace stringgrid
