// Moving to the next cell: the single step in the eight orders with the three after-last
// modes, the move after Enter, and Tab / Shift+Tab.

#include "gridfixture.h"
#include "widgets/aligngrid/model/cellstep.h"

using namespace aligngrid;
using stringgrid::GridOption;

Q_DECLARE_METATYPE(aligngrid::T_nextcell)
Q_DECLARE_METATYPE(aligngrid::T_lastcell)

namespace {

// The grid of the examples: 3 by 3, one fixed column and row.
std::unique_ptr<TStringAlignGrid> smallGrid() {
    auto grid = std::make_unique<TStringAlignGrid>();
    grid->setColCount(3);
    grid->setRowCount(3);
    return grid;
}

QPoint cell(const TStringAlignGrid& grid) {
    return {grid.Col(), grid.Row()};
}

} // namespace

class TestAlignGridNavigation : public QObject {
    Q_OBJECT

private slots:
    void stepCell_data();
    void stepCell();
    void oppositeDirectionsPairUp();
    void enterAtTheLastCellAddsARowAndEditsThere();
    void enterAtTheLastCellWithStopStaysPut();
    void enterSkipsCellsThatAreNotEditable();
    void enterWithNoOtherEditableCellComesBackToTheSameCell();
    void aSearchThatCannotSucceedAddsAtMostOneRow();
    void tab_data();
    void tab();
    void tabSkipsColumnsThatAreNotTabStops();
    void tabWithNoTabStopAndNewRowsStaysPut();
};

void TestAlignGridNavigation::stepCell_data() {
    QTest::addColumn<T_nextcell>("direction");
    QTest::addColumn<T_lastcell>("mode");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QSize>("size"); // columns x rows afterwards
    const QSize same(3, 3);
    QTest::newRow("rightdown from (2,1) wraps to the next row")
        << nc_rightdown << lc_first << QPoint(2, 1) << QPoint(1, 2) << same;
    QTest::newRow("rightdown from the last cell starts again at (1,1)")
        << nc_rightdown << lc_first << QPoint(2, 2) << QPoint(1, 1) << same;
    QTest::newRow("rightdown from the last cell with lc_stop ends at (-1,-1)")
        << nc_rightdown << lc_stop << QPoint(2, 2) << QPoint(-1, -1) << same;
    QTest::newRow("rightdown from the last cell with lc_newcolrow adds a row")
        << nc_rightdown << lc_newcolrow << QPoint(2, 2) << QPoint(1, 3) << QSize(3, 4);
    QTest::newRow("downright from (1,2) goes to the top of the next column")
        << nc_downright << lc_stop << QPoint(1, 2) << QPoint(2, 1) << same;
    QTest::newRow("downright from the last cell with lc_newcolrow adds a column")
        << nc_downright << lc_newcolrow << QPoint(2, 2) << QPoint(3, 1) << QSize(4, 3);
    QTest::newRow("leftdown from (1,1) wraps to the right end of the next row")
        << nc_leftdown << lc_stop << QPoint(1, 1) << QPoint(2, 2) << same;
    QTest::newRow("leftdown past the end starts again at the top right")
        << nc_leftdown << lc_first << QPoint(1, 2) << QPoint(2, 1) << same;
    QTest::newRow("leftdown with lc_newcolrow adds a row at the bottom")
        << nc_leftdown << lc_newcolrow << QPoint(1, 2) << QPoint(2, 3) << QSize(3, 4);
    QTest::newRow("downleft with lc_newcolrow adds a column left of the others")
        << nc_downleft << lc_newcolrow << QPoint(1, 2) << QPoint(1, 1) << QSize(4, 3);
    QTest::newRow("leftup past the end starts again at the bottom right")
        << nc_leftup << lc_first << QPoint(1, 1) << QPoint(2, 2) << same;
    QTest::newRow("leftup with lc_newcolrow adds a row above the others")
        << nc_leftup << lc_newcolrow << QPoint(1, 1) << QPoint(2, 1) << QSize(3, 4);
    QTest::newRow("upleft from (2,1) goes to the bottom of the previous column")
        << nc_upleft << lc_stop << QPoint(2, 1) << QPoint(1, 2) << same;
    QTest::newRow("upleft with lc_newcolrow adds a column left of the others")
        << nc_upleft << lc_newcolrow << QPoint(1, 1) << QPoint(1, 2) << QSize(4, 3);
    QTest::newRow("rightup past the end starts again at the bottom left")
        << nc_rightup << lc_first << QPoint(2, 1) << QPoint(1, 2) << same;
    QTest::newRow("rightup with lc_newcolrow adds a row above the others")
        << nc_rightup << lc_newcolrow << QPoint(2, 1) << QPoint(1, 1) << QSize(3, 4);
    QTest::newRow("upright from (1,1) goes to the bottom of the next column")
        << nc_upright << lc_stop << QPoint(1, 1) << QPoint(2, 2) << same;
    QTest::newRow("upright with lc_newcolrow adds a column at the right")
        << nc_upright << lc_newcolrow << QPoint(2, 1) << QPoint(3, 2) << QSize(4, 3);
}

void TestAlignGridNavigation::stepCell() {
    QFETCH(T_nextcell, direction);
    QFETCH(T_lastcell, mode);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QSize, size);
    auto grid = smallGrid();
    grid->setCells(1, 1, "kept");
    int col = from.x();
    int row = from.y();
    grid->StepCell(direction, mode, col, row);
    QCOMPARE(QPoint(col, row), to);
    QCOMPARE(QSize(grid->ColCount(), grid->RowCount()), size);
    // A line added before the ordinary cells pushes the texts on; one added at the end does not.
    QPoint kept(1, 1);
    if (size.width() == 4 && (direction == nc_downleft || direction == nc_upleft))
        kept = QPoint(2, 1);
    if (size.height() == 4 && (direction == nc_leftup || direction == nc_rightup))
        kept = QPoint(1, 2);
    QCOMPARE(grid->Cells(kept.x(), kept.y()), QString("kept"));
    if (kept != QPoint(1, 1))
        QCOMPARE(grid->Cells(1, 1), QString());
}

void TestAlignGridNavigation::oppositeDirectionsPairUp() {
    for (int d = 0; d < 8; ++d) {
        const auto direction = static_cast<T_nextcell>(d);
        QCOMPARE(oppositeOf(oppositeOf(direction)), direction);
        QVERIFY(oppositeOf(direction) != direction);
    }
    QCOMPARE(oppositeOf(nc_rightdown), nc_leftup);
    QCOMPARE(oppositeOf(nc_downright), nc_upleft);
    QCOMPARE(oppositeOf(nc_leftdown), nc_rightup);
    QCOMPARE(oppositeOf(nc_downleft), nc_upright);
}

void TestAlignGridNavigation::enterAtTheLastCellAddsARowAndEditsThere() {
    GridWindow w(3, 3);
    QVERIFY(w.ready());
    w.grid->AutoEditNextCell = true;
    w.grid->setCurrentCell(2, 2);
    w.grid->ShowEditor();
    w.key(Qt::Key_Return);
    w.settle();
    QCOMPARE(w.grid->RowCount(), 4);
    QCOMPARE(cell(*w.grid), QPoint(1, 3));
    QVERIFY(w.editorShown());
    QVERIFY(w.grid->Editing());
    QCOMPARE(w.log, (QStringList{"before 2,2", "after 2,2", "before 1,3"}));
    w.settle();
    QCOMPARE(w.log.size(), 3); // no second after-edit for (2,2)
    QVERIFY(w.boxes.isEmpty());
}

void TestAlignGridNavigation::enterAtTheLastCellWithStopStaysPut() {
    GridWindow w(3, 3);
    QVERIFY(w.ready());
    w.grid->AutoEditNextCell = true;
    w.grid->AfterLastCellEdit = lc_stop;
    w.grid->setCurrentCell(2, 2);
    w.grid->ShowEditor();
    w.key(Qt::Key_Return);
    w.settle();
    QCOMPARE(cell(*w.grid), QPoint(2, 2));
    QCOMPARE(w.grid->RowCount(), 3);
    QCOMPARE(w.log, (QStringList{"before 2,2", "after 2,2"}));
}

void TestAlignGridNavigation::enterSkipsCellsThatAreNotEditable() {
    GridWindow w(3, 3);
    QVERIFY(w.ready());
    w.grid->AutoEditNextCell = true;
    w.grid->AfterLastCellEdit = lc_first;
    w.grid->setEditable(false);
    w.grid->Settings().SetEditCol(2, true);
    w.grid->setCurrentCell(2, 1);
    w.grid->ShowEditor();
    w.key(Qt::Key_Return);
    w.settle();
    QCOMPARE(cell(*w.grid), QPoint(2, 2)); // (1,2) passed over
    QCOMPARE(w.log, (QStringList{"before 2,1", "after 2,1", "before 2,2"}));
}

void TestAlignGridNavigation::enterWithNoOtherEditableCellComesBackToTheSameCell() {
    GridWindow w(3, 3);
    QVERIFY(w.ready());
    w.grid->AutoEditNextCell = true;
    w.grid->AfterLastCellEdit = lc_first;
    w.grid->setEditable(false);
    w.grid->Settings().SetEditCell(1, 2, true);
    w.grid->setCurrentCell(1, 2);
    w.grid->ShowEditor();
    w.key(Qt::Key_Return);
    w.settle();
    QCOMPARE(cell(*w.grid), QPoint(1, 2));
    QVERIFY(w.editorShown());
    QCOMPARE(w.log, (QStringList{"before 1,2", "after 1,2", "before 1,2"}));
}

void TestAlignGridNavigation::aSearchThatCannotSucceedAddsAtMostOneRow() {
    GridWindow w(3, 3);
    QVERIFY(w.ready());
    w.grid->AutoEditNextCell = true; // AfterLastCellEdit is lc_newcolrow
    w.grid->setEditable(false);
    w.grid->Settings().SetEditCell(2, 1, true);
    w.grid->setCurrentCell(2, 1);
    w.grid->ShowEditor();
    w.key(Qt::Key_Return);
    w.settle();
    QCOMPARE(w.grid->RowCount(), 4);
    QCOMPARE(cell(*w.grid), QPoint(2, 1));
    QCOMPARE(w.log, (QStringList{"before 2,1", "after 2,1"}));

    int col = 2;
    int row = 1;
    w.grid->NextEditableCell(col, row);
    QCOMPARE(QPoint(col, row), QPoint(-1, -1));
    QCOMPARE(w.grid->RowCount(), 5);
}

void TestAlignGridNavigation::tab_data() {
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("Tab goes right") << false << QPoint(1, 1) << QPoint(2, 1);
    QTest::newRow("Tab at a row's end goes to the next row")
        << false << QPoint(3, 1) << QPoint(1, 2);
    QTest::newRow("Tab at the last cell starts again at the first")
        << false << QPoint(3, 3) << QPoint(1, 1);
    QTest::newRow("Shift+Tab goes left") << true << QPoint(3, 2) << QPoint(2, 2);
    QTest::newRow("Shift+Tab at a row's start goes to the end of the row above")
        << true << QPoint(1, 2) << QPoint(3, 1);
    QTest::newRow("Shift+Tab at the first cell goes to the last one")
        << true << QPoint(1, 1) << QPoint(3, 3);
}

void TestAlignGridNavigation::tab() {
    QFETCH(bool, shift);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setOptions(w.grid->Options() | GridOption::goTabs);
    w.grid->setCurrentCell(from.x(), from.y());
    w.key(Qt::Key_Tab, shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(cell(*w.grid), to);
    QVERIFY(w.grid->hasFocus()); // the key was the grid's, not a focus change
    QCOMPARE(QSize(w.grid->ColCount(), w.grid->RowCount()), QSize(4, 4));
}

void TestAlignGridNavigation::tabSkipsColumnsThatAreNotTabStops() {
    GridWindow w(5, 3);
    QVERIFY(w.ready());
    w.grid->setOptions(w.grid->Options() | GridOption::goTabs);
    w.grid->setTabStops(2, false);
    w.grid->setTabStops(3, false);
    w.grid->setCurrentCell(1, 1);
    w.key(Qt::Key_Tab);
    QCOMPARE(cell(*w.grid), QPoint(4, 1));
    w.key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(cell(*w.grid), QPoint(1, 1));
}

void TestAlignGridNavigation::tabWithNoTabStopAndNewRowsStaysPut() {
    GridWindow w(3, 3);
    QVERIFY(w.ready());
    w.grid->setOptions(w.grid->Options() | GridOption::goTabs);
    w.grid->AfterLastCellTab = lc_newcolrow;
    w.grid->setTabStops(1, false);
    w.grid->setTabStops(2, false);
    w.grid->setCurrentCell(2, 1);
    w.key(Qt::Key_Tab);
    QCOMPARE(cell(*w.grid), QPoint(2, 1));
    QCOMPARE(w.grid->RowCount(), 4);
}

QTEST_MAIN(TestAlignGridNavigation)
#include "tst_aligngridnavigation.moc"
