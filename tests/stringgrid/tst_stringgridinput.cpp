// The string grid under the keyboard and the mouse: moving the current cell, selecting,
// tabbing through tab stops, dragging headers and borders.

#include "stringgridprobe.h"
#include "tests/support/modalwatchdog.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QTest>
#include <memory>

using gridtest::drag;
using gridtest::mouse;
using gridtest::ProbeGrid;
using gridtest::shownGrid;
using stringgrid::GridOption;
using stringgrid::GridOptions;
using stringgrid::GridRect;
using stringgrid::StringGrid;

Q_DECLARE_METATYPE(GridRect)

class TestStringGridInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void keyboardNavigation_data();
    void keyboardNavigation();
    void shiftArrowsExtendOnlyWithRangeSelect();
    void rowSelectSpansAllOrdinaryColumns();
    void tabMovesThroughTabStopsWithGoTabs();
    void clickAndDragSelect();
    void draggingPastTheEdgeScrollsOneCellPerMove();
    void setSelectionPutsCurrentAtTopLeft();
    void userMovesGoThroughTheHookAndTakeSizes();
    void draggingHeadersMovesColumnsAndRows();
    void draggingBordersResizes();

private:
    std::unique_ptr<testsupport::ModalWatchdog> watchdog_;
};

void TestStringGridInput::initTestCase() {
    // A failure must never wait on a real box, nor show one unnoticed.
    watchdog_ = std::make_unique<testsupport::ModalWatchdog>();
}

void TestStringGridInput::cleanup() {
    watchdog_->check();
}

void TestStringGridInput::keyboardNavigation_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("down moves one row")
        << int(Qt::Key_Down) << none << QPoint(2, 2) << QPoint(2, 3);
    QTest::newRow("up stops at the first ordinary row")
        << int(Qt::Key_Up) << none << QPoint(2, 1) << QPoint(2, 1);
    QTest::newRow("left stops at the first ordinary column")
        << int(Qt::Key_Left) << none << QPoint(1, 3) << QPoint(1, 3);
    QTest::newRow("right stops at the last column")
        << int(Qt::Key_Right) << none << QPoint(9, 3) << QPoint(9, 3);
    QTest::newRow("home goes to the first ordinary column")
        << int(Qt::Key_Home) << none << QPoint(6, 4) << QPoint(1, 4);
    QTest::newRow("end goes to the last column")
        << int(Qt::Key_End) << none << QPoint(2, 4) << QPoint(9, 4);
    QTest::newRow("ctrl+home goes to the first ordinary cell")
        << int(Qt::Key_Home) << ctrl << QPoint(6, 20) << QPoint(1, 1);
    QTest::newRow("ctrl+end goes to the last cell")
        << int(Qt::Key_End) << ctrl << QPoint(2, 2) << QPoint(9, 49);
    // A page is the number of rows wholly in view (-1: worked out from the view).
    QTest::newRow("page down moves by the rows in view")
        << int(Qt::Key_PageDown) << none << QPoint(2, 1) << QPoint(2, -1);
    QTest::newRow("page up stops at the first ordinary row")
        << int(Qt::Key_PageUp) << none << QPoint(2, 3) << QPoint(2, 1);
}

void TestStringGridInput::keyboardNavigation() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    auto grid = shownGrid();
    grid->setColCount(10);
    grid->setRowCount(50);
    const int page = grid->VisibleRowCount();
    QVERIFY(page >= 5);
    QVERIFY(grid->CellRect(1, 1 + page).bottom() >= grid->viewport()->height() - 1);
    if (end.y() < 0)
        end.setY(start.y() + page);
    grid->setCurrentCell(start.x(), start.y());
    QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QPoint(grid->Col(), grid->Row()), end);
    // The current cell is always in view.
    QVERIFY(!grid->CellRect(grid->Col(), grid->Row()).isEmpty());
    QCOMPARE(grid->Selection(), (GridRect{end.x(), end.y(), end.x(), end.y()}));
}

void TestStringGridInput::shiftArrowsExtendOnlyWithRangeSelect() {
    auto grid = shownGrid();
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(grid->Selection(), (GridRect{1, 1, 2, 2}));
    QCOMPARE(grid->Col(), 2);
    QTest::keyClick(grid.get(), Qt::Key_Up); // a plain move collapses the range
    QCOMPARE(grid->Selection(), (GridRect{2, 1, 2, 1}));

    grid->setOptions(grid->Options() & ~GridOptions(GridOption::goRangeSelect));
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(grid->Selection(), (GridRect{2, 2, 2, 2}));
}

void TestStringGridInput::rowSelectSpansAllOrdinaryColumns() {
    auto grid = shownGrid();
    grid->setOptions(grid->Options() | GridOption::goRowSelect);
    grid->setCurrentCell(3, 2);
    QCOMPARE(grid->Selection(), (GridRect{1, 2, 4, 2}));
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(grid->Selection(), (GridRect{1, 2, 4, 3}));
}

void TestStringGridInput::tabMovesThroughTabStopsWithGoTabs() {
    auto grid = shownGrid();
    grid->setOptions(grid->Options() | GridOption::goTabs);
    grid->setTabStops(2, false);
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(3, 1)); // column 2 is skipped
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(1, 2)); // on to the next row
    QTest::keyClick(grid.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(4, 1));
    QVERIFY(grid->hasFocus());
}

void TestStringGridInput::clickAndDragSelect() {
    auto grid = shownGrid();
    QWidget* view = grid->viewport();
    mouse(view, QEvent::MouseButtonPress, QPoint(140, 30), Qt::LeftButton);
    QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(2, 1));
    mouse(view, QEvent::MouseMove, QPoint(200, 80), Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, QPoint(200, 80), Qt::NoButton);
    QCOMPARE(grid->Selection(), (GridRect{2, 1, 3, 3}));
    // Shift+click extends from the anchor; a click on a fixed cell changes nothing.
    mouse(view, QEvent::MouseButtonPress, QPoint(70, 30), Qt::LeftButton, Qt::ShiftModifier);
    mouse(view, QEvent::MouseButtonRelease, QPoint(70, 30), Qt::NoButton);
    QCOMPARE(grid->Selection(), (GridRect{1, 1, 2, 1}));
    mouse(view, QEvent::MouseButtonPress, QPoint(10, 60), Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, QPoint(10, 60), Qt::NoButton);
    QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(1, 1));
}

void TestStringGridInput::draggingPastTheEdgeScrollsOneCellPerMove() {
    auto grid = shownGrid();
    grid->setRowCount(100);
    QWidget* view = grid->viewport();
    const int below = view->height() + 30;
    mouse(view, QEvent::MouseButtonPress, QPoint(70, 30), Qt::LeftButton);
    mouse(view, QEvent::MouseMove, QPoint(70, below), Qt::LeftButton);
    const int firstBottom = grid->Selection().Bottom;
    QCOMPARE(firstBottom, 1 + grid->VisibleRowCount()); // the row just out of view
    QVERIFY(grid->TopRow() > 1);
    mouse(view, QEvent::MouseMove, QPoint(70, below), Qt::LeftButton);
    QCOMPARE(grid->Selection().Bottom, firstBottom + 1);
    // Over the fixed row: the row before the first one shown; beside the last column: the
    // last column.
    const int top = grid->TopRow();
    mouse(view, QEvent::MouseMove, QPoint(view->width() - 2, 5), Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, QPoint(view->width() - 2, 5), Qt::NoButton);
    QCOMPARE(grid->Selection(), (GridRect{1, 1, 4, top - 1}));
    QCOMPARE(grid->TopRow(), top - 1);
}

void TestStringGridInput::setSelectionPutsCurrentAtTopLeft() {
    StringGrid grid;
    grid.setSelection({2, 1, 4, 3});
    QCOMPARE(grid.Selection(), (GridRect{2, 1, 4, 3}));
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(2, 1));
    grid.setSelection({0, -5, 99, 2}); // clamped to the ordinary cells
    QCOMPARE(grid.Selection(), (GridRect{1, 1, 4, 2}));
}

void TestStringGridInput::userMovesGoThroughTheHookAndTakeSizes() {
    ProbeGrid grid;
    grid.setColWidths(1, 11);
    grid.setTabStops(1, false);
    grid.setCells(1, 0, "titre");
    grid.MoveColumn(1, 3);
    QCOMPARE(grid.columnMoves, (QList<QPair<int, int>>{{1, 3}}));
    QCOMPARE(grid.Cells(3, 0), "titre");
    QCOMPARE(grid.ColWidths(3), 11);
    QCOMPARE(grid.ColWidths(1), 64);
    QVERIFY(!grid.TabStops(3));
    QVERIFY(grid.TabStops(1));
    grid.setRowHeights(4, 9);
    grid.MoveRow(4, 1);
    QCOMPARE(grid.rowMoves, (QList<QPair<int, int>>{{4, 1}}));
    QCOMPARE(grid.RowHeights(1), 9);
    QCOMPARE(grid.RowHeights(4), 24);
    grid.MoveColumn(2, 2);
    QCOMPARE(grid.columnMoves.size(), 1);
}

void TestStringGridInput::draggingHeadersMovesColumnsAndRows() {
    auto grid = shownGrid();
    grid->setCells(1, 0, "un");
    grid->setCells(0, 1, "premier");
    drag(grid->viewport(), QPoint(90, 10), QPoint(220, 10));
    QVERIFY(grid->columnMoves.isEmpty()); // moving is off by default
    grid->setOptions(grid->Options() | GridOption::goColMoving | GridOption::goRowMoving);
    drag(grid->viewport(), QPoint(90, 10), QPoint(220, 10));
    QCOMPARE(grid->columnMoves, (QList<QPair<int, int>>{{1, 3}}));
    QCOMPARE(grid->Cells(3, 0), "un");
    drag(grid->viewport(), QPoint(10, 30), QPoint(10, 80));
    QCOMPARE(grid->rowMoves, (QList<QPair<int, int>>{{1, 3}}));
    QCOMPARE(grid->Cells(0, 3), "premier");
}

void TestStringGridInput::draggingBordersResizes() {
    auto grid = shownGrid();
    drag(grid->viewport(), QPoint(129, 10), QPoint(159, 10));
    QCOMPARE(grid->ColWidths(1), 64); // sizing is off by default
    grid->setOptions(grid->Options() | GridOption::goColSizing | GridOption::goRowSizing);
    drag(grid->viewport(), QPoint(129, 10), QPoint(159, 10));
    QCOMPARE(grid->ColWidths(1), 94);
    QVERIFY(grid->widthChanges > 0);
    drag(grid->viewport(), QPoint(10, 49), QPoint(10, 39));
    QCOMPARE(grid->RowHeights(1), 14);
    // A border dragged past the cell's start leaves a column of no width.
    drag(grid->viewport(), QPoint(160, 10), QPoint(10, 10));
    QCOMPARE(grid->ColWidths(1), 0);
}

QTEST_MAIN(TestStringGridInput)
#include "tst_stringgridinput.moc"
