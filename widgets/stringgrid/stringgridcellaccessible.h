#pragma once
// One cell of a string grid as assistive tools see it: its text, whether it is selected or
// current, and its header cells.

#include <QAccessible>
#include <QPointer>

namespace stringgrid {

class StringGrid;

class StringGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    StringGridCellAccessible(StringGrid* grid, int row, int column);

    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    QPointer<StringGrid> grid_;
    int row_;
    int column_;
};

} // namespace stringgrid
