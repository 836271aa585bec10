// What assistive tools read from a string grid: a table with header cells, each cell's text,
// and the current cell followed as it moves.

#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

using stringgrid::GridOption;
using stringgrid::StringGrid;

namespace {

struct Seen {
    QAccessible::Event type;
    int child;
};
QList<Seen> seenEvents;

void recordEvent(QAccessibleEvent& event) {
    if (qobject_cast<StringGrid*>(event.object()))
        seenEvents.append({event.type(), event.child()});
}

class DerivedGrid : public StringGrid {
    Q_OBJECT
};

std::unique_ptr<StringGrid> cuttingListLikeGrid() {
    auto grid = std::make_unique<StringGrid>();
    grid->setColCount(5);
    grid->setRowCount(6);
    grid->setCells(1, 0, "Longueur");
    grid->setCells(2, 0, "Largeur");
    grid->setCells(0, 1, "Grand Montant");
    grid->setCells(0, 5, "Panneau");
    grid->setCells(2, 1, "95");
    grid->resize(400, 200);
    return grid;
}

} // namespace

class TestStringGridAccessible : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void gridIsATableOfItsCells();
    void cellsCarryTextsRolesAndHeaders_data();
    void cellsCarryTextsRolesAndHeaders();
    void selectionIsReported();
    void currentCellIsFollowed();
    void countChangesAreSeenAndCellsOutsideAreInvalid();
    void millionRowsAreReachableWithoutBuildingThem();
    void derivedGridsGetTheTableToo();
};

void TestStringGridAccessible::init() {
    seenEvents.clear();
    stringgrid::setAccessibleEventObserver(recordEvent);
}

void TestStringGridAccessible::cleanup() {
    stringgrid::setAccessibleEventObserver({});
}

void TestStringGridAccessible::gridIsATableOfItsCells() {
    auto grid = cuttingListLikeGrid();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid.get());
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Table);
    QAccessibleTableInterface* table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 6);
    QCOMPARE(table->columnCount(), 5);
    QCOMPARE(iface->childCount(), 30);
    QCOMPARE(table->columnDescription(1), "Longueur");
    QCOMPARE(table->rowDescription(5), "Panneau");
    // Children are the cells row by row, and a cell knows its place.
    QAccessibleInterface* cell = iface->child(1 * 5 + 2);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), "95");
    QCOMPARE(iface->indexOfChild(cell), 7);
    QCOMPARE(cell->parent(), iface);
    QCOMPARE(table->cellAt(1, 2), cell); // the same interface each time
    QVERIFY(table->cellAt(6, 0) == nullptr);
    QVERIFY(table->cellAt(0, -1) == nullptr);
}

void TestStringGridAccessible::cellsCarryTextsRolesAndHeaders_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("columnHeader");
    QTest::addColumn<QString>("rowHeader");
    QTest::newRow("an ordinary cell has both headers")
        << 1 << 2 << "95" << int(QAccessible::Cell) << "Largeur"
        << "Grand Montant";
    QTest::newRow("an empty cell has an empty text")
        << 5 << 1 << "" << int(QAccessible::Cell) << "Longueur"
        << "Panneau";
    QTest::newRow("a cell of the fixed row is a column header")
        << 0 << 1 << "Longueur" << int(QAccessible::ColumnHeader) << ""
        << "";
    QTest::newRow("a cell of the fixed column is a row header")
        << 5 << 0 << "Panneau" << int(QAccessible::RowHeader) << ""
        << "";
}

void TestStringGridAccessible::cellsCarryTextsRolesAndHeaders() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(int, role);
    QFETCH(QString, columnHeader);
    QFETCH(QString, rowHeader);
    auto grid = cuttingListLikeGrid();
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(grid.get())->tableInterface()->cellAt(row, column);
    QVERIFY(cell && cell->isValid());
    QCOMPARE(cell->text(QAccessible::Name), text);
    QCOMPARE(int(cell->role()), role);
    QAccessibleTableCellInterface* cellInterface = cell->tableCellInterface();
    QVERIFY(cellInterface);
    QCOMPARE(cellInterface->rowIndex(), row);
    QCOMPARE(cellInterface->columnIndex(), column);
    auto headerText = [](const QList<QAccessibleInterface*>& headers) {
        return headers.isEmpty() ? QString() : headers.first()->text(QAccessible::Name);
    };
    QCOMPARE(headerText(cellInterface->columnHeaderCells()), columnHeader);
    QCOMPARE(headerText(cellInterface->rowHeaderCells()), rowHeader);
    // Texts are read live.
    grid->setCells(column, row, "neuf");
    QCOMPARE(cell->text(QAccessible::Name), "neuf");
}

void TestStringGridAccessible::selectionIsReported() {
    auto grid = cuttingListLikeGrid();
    grid->setSelection({1, 2, 3, 3});
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(grid.get())->tableInterface();
    QCOMPARE(table->selectedCellCount(), 6);
    QCOMPARE(table->selectedCells().size(), 6);
    QVERIFY(table->cellAt(3, 3)->tableCellInterface()->isSelected());
    QVERIFY(!table->cellAt(1, 1)->tableCellInterface()->isSelected());
    QVERIFY(table->cellAt(2, 1)->state().selected);
    QCOMPARE(table->selectedRows(), QList<int>());
    QVERIFY(table->selectRow(4));
    QCOMPARE(table->selectedRows(), QList<int>{4});
    QCOMPARE(grid->Row(), 4);
    QVERIFY(!table->selectRow(0)); // a fixed row cannot be selected
}

void TestStringGridAccessible::currentCellIsFollowed() {
    auto grid = cuttingListLikeGrid();
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(grid.get()));
    seenEvents.clear();
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    QList<int> focused;
    QList<int> selected;
    for (const Seen& seen : std::as_const(seenEvents)) {
        if (seen.type == QAccessible::Focus)
            focused.append(seen.child);
        if (seen.type == QAccessible::Selection)
            selected.append(seen.child);
    }
    QCOMPARE(focused, (QList<int>{2 * 5 + 1, 2 * 5 + 2}));
    QCOMPARE(selected, focused);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid.get());
    QAccessibleInterface* focus = iface->focusChild();
    QVERIFY(focus);
    QCOMPARE(focus->tableCellInterface()->rowIndex(), 2);
    QCOMPARE(focus->tableCellInterface()->columnIndex(), 2);
    QVERIFY(focus->state().focused);
}

void TestStringGridAccessible::countChangesAreSeenAndCellsOutsideAreInvalid() {
    auto grid = cuttingListLikeGrid();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid.get());
    QAccessibleInterface* cell = iface->tableInterface()->cellAt(5, 4);
    QVERIFY(cell->isValid());
    seenEvents.clear();
    grid->setRowCount(3);
    QVERIFY(std::any_of(seenEvents.cbegin(), seenEvents.cend(), [](const Seen& seen) {
        return seen.type == QAccessible::TableModelChanged;
    }));
    QCOMPARE(iface->tableInterface()->rowCount(), 3);
    QVERIFY(iface->tableInterface()->cellAt(5, 4) == nullptr);
}

void TestStringGridAccessible::millionRowsAreReachableWithoutBuildingThem() {
    StringGrid grid;
    grid.setColCount(20);
    grid.setRowCount(1000000);
    grid.setCells(19, 999999, "dernier");
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&grid)->tableInterface();
    QCOMPARE(table->rowCount(), 1000000);
    QCOMPARE(QAccessible::queryAccessibleInterface(&grid)->childCount(), 20000000);
    QCOMPARE(table->cellAt(999999, 19)->text(QAccessible::Name), "dernier");
    grid.setSelection({1, 1, 19, 999999});
    QCOMPARE(table->selectedCellCount(), 19 * 999999);
    QVERIFY(table->selectedCells().size() <= 10000); // a bounded list, not millions of cells
}

void TestStringGridAccessible::derivedGridsGetTheTableToo() {
    DerivedGrid grid;
    grid.setOptions(grid.Options() | GridOption::goEditing);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&grid);
    QVERIFY(iface && iface->tableInterface());
    // Assistive tools may write a value where a user could type one.
    QAccessibleInterface* cell = iface->tableInterface()->cellAt(2, 2);
    cell->setText(QAccessible::Value, "saisi");
    QCOMPARE(grid.Cells(2, 2), "saisi");
    iface->tableInterface()->cellAt(0, 2)->setText(QAccessible::Value, "titre");
    QCOMPARE(grid.Cells(2, 0), QString());
}

QTEST_MAIN(TestStringGridAccessible)
#include "tst_stringgridaccessible.moc"
