#pragma once
// What assistive tools see of a string grid: a table whose cells carry their texts, with the
// fixed rows and columns as header cells. Cell interfaces are made on demand, so a grid of a
// million rows costs only the cells a tool has asked for.

#include <QAccessibleWidget>
#include <QHash>
#include <functional>

namespace stringgrid {

class StringGrid;

// Registers the factory once; every StringGrid (and derived grid) then gets the table below.
void installStringGridAccessibility();

// The grids' accessibility events go through here to QAccessible. Qt drops them while no
// assistive tool is attached; an observer (tests, logging) sees them all. Returns the previous.
using AccessibleEventObserver = std::function<void(QAccessibleEvent&)>;
AccessibleEventObserver setAccessibleEventObserver(AccessibleEventObserver observer);
void sendAccessibleEvent(QAccessibleEvent& event);

class StringGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit StringGridAccessible(StringGrid* grid);
    ~StringGridAccessible() override;

    StringGrid* grid() const;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleInterface
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    mutable QHash<quint64, QAccessible::Id> cells_;
};

} // namespace stringgrid
