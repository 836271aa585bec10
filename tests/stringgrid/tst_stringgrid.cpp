// The string grid as a user and the aligned grid see it: counts, sizes, texts, cell geometry
// with fixed cells and scrolling, moves of columns and rows, a million rows.

#include "stringgridprobe.h"
#include "tests/support/modalwatchdog.h"
#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QScrollBar>
#include <QTest>
#include <memory>

using gridtest::shownGrid;
using stringgrid::GridOption;
using stringgrid::GridOptions;
using stringgrid::GridRect;
using stringgrid::StringGrid;

Q_DECLARE_METATYPE(GridRect)

class TestStringGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void newGridHasDesktopDefaults();
    void countsKeepFixedPartAndCurrentCellInside();
    void fixedCountMustStayBelowCount();
    void textsAreKeptPerCellAndDroppedWithTheirRows();
    void outOfRangeIndicesFail();
    void cellGeometry_data();
    void cellGeometry();
    void sizesShiftTheCellsAfterThem();
    void defaultSizeReplacesOwnSizes();
    void scrollingKeepsFixedCellsInView();
    void scrollBarsShowOnlyWhereCellsDoNotFit_data();
    void scrollBarsShowOnlyWhereCellsDoNotFit();
    void moveTexts_data();
    void moveTexts();
    void clearTexts();
    void millionRowsOpenAndJumpToTheEnd();

private:
    std::unique_ptr<testsupport::ModalWatchdog> watchdog_;
};

void TestStringGrid::initTestCase() {
    // A failure must never wait on a real box, nor show one unnoticed.
    watchdog_ = std::make_unique<testsupport::ModalWatchdog>();
}

void TestStringGrid::cleanup() {
    watchdog_->check();
}

void TestStringGrid::newGridHasDesktopDefaults() {
    StringGrid grid;
    QCOMPARE(grid.ColCount(), 5);
    QCOMPARE(grid.RowCount(), 5);
    QCOMPARE(grid.FixedCols(), 1);
    QCOMPARE(grid.FixedRows(), 1);
    QCOMPARE(grid.DefaultColWidth(), 64);
    QCOMPARE(grid.DefaultRowHeight(), 24);
    QCOMPARE(grid.ColWidths(3), 64);
    QCOMPARE(grid.RowHeights(3), 24);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Options(), GridOptions(GridOption::goFixedVertLine) |
                                 GridOption::goFixedHorzLine | GridOption::goVertLine |
                                 GridOption::goHorzLine | GridOption::goRangeSelect);
    QCOMPARE(grid.FixedColor(), 0x8000000Fu);
    QCOMPARE(grid.Color(), 0x80000005u);
    QVERIFY(grid.DefaultDrawing());
    QVERIFY(grid.TabStops(2));
    QVERIFY(!grid.EditorMode());
    QVERIFY(grid.InplaceEditor() == nullptr);
    QCOMPARE(grid.Selection(), (GridRect{1, 1, 1, 1}));
    QCOMPARE(grid.frameWidth(), 1);
}

void TestStringGrid::countsKeepFixedPartAndCurrentCellInside() {
    StringGrid grid;
    grid.setColCount(8);
    grid.setRowCount(9);
    grid.setCol(7);
    grid.setRow(8);
    grid.setRowCount(4);
    grid.setColCount(3);
    QCOMPARE(grid.Col(), 2);
    QCOMPARE(grid.Row(), 3);
    grid.setColCount(1); // no ordinary column left: the fixed part shrinks
    QCOMPARE(grid.FixedCols(), 0);
    grid.setColCount(0);
    QCOMPARE(grid.ColCount(), 1);
}

void TestStringGrid::fixedCountMustStayBelowCount() {
    StringGrid grid;
    QVERIFY_THROWS_EXCEPTION(base::Failure, grid.setFixedCols(5));
    QVERIFY_THROWS_EXCEPTION(base::Failure, grid.setFixedRows(7));
    QVERIFY_THROWS_EXCEPTION(base::ListIndexError, grid.setFixedRows(-1));
    QCOMPARE(grid.FixedCols(), 1);
    grid.setFixedCols(3);
    QCOMPARE(grid.Col(), 3); // the current cell leaves the fixed part
    grid.setFixedCols(0);
    QCOMPARE(grid.Col(), 3);
}

void TestStringGrid::textsAreKeptPerCellAndDroppedWithTheirRows() {
    StringGrid grid;
    grid.setCells(0, 0, "coin");
    grid.setCells(4, 4, "fin");
    grid.setCells(2, 3, QString::fromUtf8("Epaisseur éàç"));
    QCOMPARE(grid.Cells(0, 0), "coin");
    QCOMPARE(grid.Cells(2, 3), QString::fromUtf8("Epaisseur éàç"));
    QCOMPARE(grid.Cells(3, 3), QString());
    QCOMPARE(grid.Cells(-1, 2), QString());
    QCOMPARE(grid.Cells(40, 2), QString());
    grid.setCells(2, 3, QString());
    QCOMPARE(grid.Cells(2, 3), QString());
    grid.setRowCount(4);
    grid.setRowCount(5);
    QCOMPARE(grid.Cells(4, 4), QString()); // a removed row does not come back with old text
}

void TestStringGrid::outOfRangeIndicesFail() {
    StringGrid grid;
    QVERIFY_THROWS_EXCEPTION(stringgrid::GridIndexError, grid.setCells(5, 0, "x"));
    QVERIFY_THROWS_EXCEPTION(stringgrid::GridIndexError, grid.setCol(0)); // a fixed column
    QVERIFY_THROWS_EXCEPTION(stringgrid::GridIndexError, grid.setRow(5));
    QVERIFY_THROWS_EXCEPTION(stringgrid::GridIndexError, grid.setColWidths(-1, 10));
    QVERIFY_THROWS_EXCEPTION(stringgrid::GridIndexError, grid.MoveColumn(1, 9));
    try {
        grid.setRow(-3);
        QFAIL("no failure");
    } catch (const base::Failure& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), "Indice de grille hors limites");
    }
    QCOMPARE(grid.Row(), 1);
}

void TestStringGrid::cellGeometry_data() {
    QTest::addColumn<int>("leftCol");
    QTest::addColumn<int>("topRow");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QPoint>("inside");

    QTest::newRow("the fixed corner sits at the origin")
        << 1 << 1 << 0 << 0 << QRect(0, 0, 64, 24) << QPoint(0, 0);
    QTest::newRow("the first ordinary cell follows the grid lines")
        << 1 << 1 << 1 << 1 << QRect(65, 25, 64, 24) << QPoint(128, 48);
    QTest::newRow("a grid line belongs to the cell before it")
        << 1 << 1 << 1 << 1 << QRect(65, 25, 64, 24) << QPoint(129, 49);
    QTest::newRow("scrolled right, the first shown column follows the fixed one")
        << 3 << 1 << 3 << 2 << QRect(65, 50, 64, 24) << QPoint(70, 60);
    QTest::newRow("scrolled down, the fixed row stays on top")
        << 1 << 8 << 2 << 0 << QRect(130, 0, 64, 24) << QPoint(131, 3);
    QTest::newRow("scrolled down, the fixed column stays at the left")
        << 1 << 8 << 0 << 9 << QRect(0, 50, 64, 24) << QPoint(10, 73);
    QTest::newRow("a cell partly out of view keeps its whole size")
        << 1 << 1 << 4 << 1 << QRect(260, 25, 64, 24) << QPoint(270, 30);
}

void TestStringGrid::cellGeometry() {
    QFETCH(int, leftCol);
    QFETCH(int, topRow);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QRect, rect);
    QFETCH(QPoint, inside);
    auto grid = shownGrid();
    grid->setColCount(10);
    grid->setRowCount(30);
    grid->setLeftCol(leftCol);
    grid->setTopRow(topRow);
    QCOMPARE(grid->LeftCol(), leftCol);
    QCOMPARE(grid->TopRow(), topRow);
    QCOMPARE(grid->CellRect(col, row), rect);
    int c = -2;
    int r = -2;
    grid->MouseToCell(inside, c, r);
    QCOMPARE(c, col);
    QCOMPARE(r, row);
}

void TestStringGrid::sizesShiftTheCellsAfterThem() {
    auto grid = shownGrid();
    grid->setColWidths(1, 20);
    grid->setRowHeights(0, 40);
    QCOMPARE(grid->widthChanges, 1);
    QCOMPARE(grid->heightChanges, 1);
    QCOMPARE(grid->CellRect(2, 1), QRect(86, 41, 64, 24));
    grid->setColWidths(1, 20); // the same width: no change reported
    QCOMPARE(grid->widthChanges, 1);
    grid->setColWidths(2, 0); // a column of no width shows nothing
    QVERIFY(grid->CellRect(2, 1).isEmpty());
    int c = -2;
    int r = -2;
    grid->MouseToCell(QPoint(88, 50), c, r);
    QCOMPARE(c, 3);
    // Outside the cells and outside the viewport there is no cell.
    grid->MouseToCell(QPoint(297, 197), c, r);
    QCOMPARE(c, -1);
    QCOMPARE(r, -1);
    grid->MouseToCell(QPoint(-1, 5), c, r);
    QCOMPARE(c, -1);
}

void TestStringGrid::defaultSizeReplacesOwnSizes() {
    StringGrid grid;
    grid.setColWidths(2, 100);
    grid.setDefaultColWidth(30);
    QCOMPARE(grid.ColWidths(2), 30);
    grid.setColWidths(4, 70);
    grid.setColCount(3);
    grid.setColCount(5);
    QCOMPARE(grid.ColWidths(4), 30); // a column added again starts at the default
}

void TestStringGrid::scrollingKeepsFixedCellsInView() {
    auto grid = shownGrid();
    grid->setColCount(20);
    grid->setRowCount(40);
    QScrollBar* vertical = grid->verticalScrollBar();
    QVERIFY(vertical->maximum() > 0);
    // Scrolling is counted in whole rows.
    vertical->setValue(5);
    QCOMPARE(grid->TopRow(), 6);
    QCOMPARE(grid->CellRect(1, 6).top(), 25);
    QVERIFY(grid->CellRect(1, 5).isEmpty());
    // The last scroll position shows the last row whole.
    vertical->setValue(vertical->maximum());
    const QRect last = grid->CellRect(1, 39);
    QVERIFY(!last.isEmpty());
    QVERIFY(last.bottom() < grid->viewport()->height());
    QVERIFY(grid->CellRect(1, grid->TopRow() - 1).isEmpty());
    grid->setTopRow(1000); // beyond the end: stops at the last position
    QCOMPARE(grid->TopRow(), vertical->maximum() + 1);
    // A small grid needs no scroll bars.
    grid->setColCount(3);
    grid->setRowCount(3);
    QCOMPARE(grid->verticalScrollBar()->maximum(), 0);
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
}

void TestStringGrid::moveTexts_data() {
    QTest::addColumn<bool>("columns");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("a column moved right pushes the ones between to the left")
        << true << 1 << 3 << QStringList{"a", "c", "d", "b", "e"};
    QTest::newRow("a column moved left pushes the ones between to the right")
        << true << 3 << 1 << QStringList{"a", "d", "b", "c", "e"};
    QTest::newRow("a row moved down pushes the ones between up")
        << false << 0 << 4 << QStringList{"b", "c", "d", "e", "a"};
    QTest::newRow("a row moved up pushes the ones between down")
        << false << 4 << 2 << QStringList{"a", "b", "e", "c", "d"};
    QTest::newRow("a move onto itself changes nothing")
        << false << 2 << 2 << QStringList{"a", "b", "c", "d", "e"};
}

void TestStringGrid::moveTexts() {
    QFETCH(bool, columns);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, after);
    StringGrid grid;
    const QStringList before{"a", "b", "", "d", "e"}; // an empty text moves too
    for (int i = 0; i < 5; ++i) {
        const QString text = i == 2 ? QString() : before[i];
        if (columns)
            grid.setCells(i, 2, text);
        else
            grid.setCells(2, i, text);
    }
    if (columns)
        grid.MoveColumnTexts(from, to);
    else
        grid.MoveRowTexts(from, to);
    for (int i = 0; i < 5; ++i) {
        const QString expected = after[i] == "c" ? QString() : after[i];
        QCOMPARE(columns ? grid.Cells(i, 2) : grid.Cells(2, i), expected);
    }
}

void TestStringGrid::clearTexts() {
    StringGrid grid;
    grid.setCells(2, 1, "a");
    grid.setCells(2, 3, "b");
    grid.setCells(3, 3, "c");
    grid.ClearColumnTexts(2);
    QCOMPARE(grid.Cells(2, 1), QString());
    QCOMPARE(grid.Cells(3, 3), "c");
    grid.ClearRowTexts(3);
    QCOMPARE(grid.Cells(3, 3), QString());
}

void TestStringGrid::millionRowsOpenAndJumpToTheEnd() {
    auto grid = shownGrid();
    grid->setColCount(20);
    grid->setRowCount(1000000);
    grid->setRowHeights(500000, 100);
    grid->setCells(19, 999999, "dernier");
    QTest::keyClick(grid.get(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(19, 999999));
    const QRect last = grid->CellRect(19, 999999);
    QVERIFY(!last.isEmpty());
    QVERIFY(last.bottom() < grid->viewport()->height());
    QVERIFY(grid->CellRect(19, grid->TopRow() - 1).isEmpty());
    QCOMPARE(grid->verticalScrollBar()->maximum(), grid->TopRow() - 1);
    // The tall row is found where its height puts it.
    grid->setLeftCol(1);
    grid->setTopRow(499999);
    QCOMPARE(grid->CellRect(1, 500000).height(), 100);
    QCOMPARE(grid->CellRect(1, 500001).top(), 25 + 25 + 101);
    int c = -1;
    int r = -1;
    grid->MouseToCell(QPoint(70, 140), c, r);
    QCOMPARE(r, 500000);
}

void TestStringGrid::scrollBarsShowOnlyWhereCellsDoNotFit_data() {
    // The grid's size: the cells' extent (5 x 64 + lines, 5 x 24 + lines, inside the border),
    // plus a pixel change, plus the other bar's extent where asked.
    QTest::addColumn<int>("dw");
    QTest::addColumn<int>("dh");
    QTest::addColumn<bool>("roomForVerticalBar");
    QTest::addColumn<bool>("roomForHorizontalBar");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("cells that fit exactly need no bar")
        << 0 << 0 << false << false << false << false;
    QTest::newRow("one column pixel short gives the horizontal bar only")
        << -1 << 0 << false << true << true << false;
    QTest::newRow("one row pixel short gives the vertical bar only")
        << 0 << -1 << true << false << false << true;
    QTest::newRow("a vertical bar covering the last column brings the horizontal one")
        << -1 << -1 << true << false << true << true;
    QTest::newRow("a horizontal bar covering the last row brings the vertical one")
        << -1 << 0 << false << false << true << true;
}

void TestStringGrid::scrollBarsShowOnlyWhereCellsDoNotFit() {
    QFETCH(int, dw);
    QFETCH(int, dh);
    QFETCH(bool, roomForVerticalBar);
    QFETCH(bool, roomForHorizontalBar);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    // Shown small first, with both bars, so that a bar left over from before would be seen.
    auto grid = shownGrid();
    grid->resize(100, 60);
    QVERIFY(grid->horizontalScrollBar()->isVisible());
    QVERIFY(grid->verticalScrollBar()->isVisible());
    const int barHeight = grid->horizontalScrollBar()->sizeHint().height();
    const int barWidth = grid->verticalScrollBar()->sizeHint().width();
    const int border = 2 * grid->frameWidth();
    grid->resize(5 * 65 + border + dw + (roomForVerticalBar ? barWidth : 0),
                 5 * 25 + border + dh + (roomForHorizontalBar ? barHeight : 0));
    QCOMPARE(grid->horizontalScrollBar()->isVisible(), horizontal);
    QCOMPARE(grid->verticalScrollBar()->isVisible(), vertical);
}

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
