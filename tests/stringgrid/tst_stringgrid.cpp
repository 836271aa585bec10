// The string grid as a user and the aligned grid see it: counts, sizes, texts, cell geometry
// with fixed cells and scrolling, keyboard and mouse, selection, options, moves, painting.

#include "platform/colors.h"
#include "tests/support/modalwatchdog.h"
#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>
#include <memory>

using stringgrid::DrawState;
using stringgrid::DrawStates;
using stringgrid::GridOption;
using stringgrid::GridOptions;
using stringgrid::GridRect;
using stringgrid::StringGrid;

Q_DECLARE_METATYPE(GridRect)

namespace {

// A grid that records what the base calls of its hooks.
class ProbeGrid : public StringGrid {
public:
    using StringGrid::StringGrid;
    QList<QPair<int, int>> columnMoves;
    QList<QPair<int, int>> rowMoves;
    int widthChanges = 0;
    int heightChanges = 0;

protected:
    void ColumnMoved(int from, int to) override {
        columnMoves.append({from, to});
        StringGrid::ColumnMoved(from, to);
    }
    void RowMoved(int from, int to) override {
        rowMoves.append({from, to});
        StringGrid::RowMoved(from, to);
    }
    void ColWidthsChanged() override {
        ++widthChanges;
        StringGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override {
        ++heightChanges;
        StringGrid::RowHeightsChanged();
    }
};

// The viewport is 298 x 198: the grid has a one-pixel box border.
std::unique_ptr<ProbeGrid> shownGrid() {
    auto grid = std::make_unique<ProbeGrid>();
    grid->resize(300, 200);
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    if (!QTest::qWaitForWindowActive(grid.get()))
        qWarning("the grid's window did not become active");
    return grid;
}

void mouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

void drag(QWidget* target, QPoint from, QPoint to) {
    mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(target, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

QImage render(StringGrid& grid) {
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    grid.viewport()->render(&image);
    return image;
}

} // namespace

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
    void keyboardNavigation_data();
    void keyboardNavigation();
    void shiftArrowsExtendOnlyWithRangeSelect();
    void rowSelectSpansAllOrdinaryColumns();
    void tabMovesThroughTabStopsWithGoTabs();
    void clickAndDragSelect();
    void draggingPastTheEdgeScrollsOneCellPerMove();
    void setSelectionPutsCurrentAtTopLeft();
    void moveTexts_data();
    void moveTexts();
    void userMovesGoThroughTheHookAndTakeSizes();
    void draggingHeadersMovesColumnsAndRows();
    void draggingBordersResizes();
    void clearTexts();
    void millionRowsOpenAndJumpToTheEnd();
    void paintingTouchesOnlyVisibleCells();
    void drawStatesTellFixedSelectedFocused();
    void gridLinesFollowOptions();
    void selectionColoursFollowFocusAndOptions();
    void colourValues_data();
    void colourValues();

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

void TestStringGrid::keyboardNavigation_data() {
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

void TestStringGrid::keyboardNavigation() {
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

void TestStringGrid::shiftArrowsExtendOnlyWithRangeSelect() {
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

void TestStringGrid::rowSelectSpansAllOrdinaryColumns() {
    auto grid = shownGrid();
    grid->setOptions(grid->Options() | GridOption::goRowSelect);
    grid->setCurrentCell(3, 2);
    QCOMPARE(grid->Selection(), (GridRect{1, 2, 4, 2}));
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(grid->Selection(), (GridRect{1, 2, 4, 3}));
}

void TestStringGrid::tabMovesThroughTabStopsWithGoTabs() {
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

void TestStringGrid::clickAndDragSelect() {
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

void TestStringGrid::draggingPastTheEdgeScrollsOneCellPerMove() {
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

void TestStringGrid::setSelectionPutsCurrentAtTopLeft() {
    StringGrid grid;
    grid.setSelection({2, 1, 4, 3});
    QCOMPARE(grid.Selection(), (GridRect{2, 1, 4, 3}));
    QCOMPARE(QPoint(grid.Col(), grid.Row()), QPoint(2, 1));
    grid.setSelection({0, -5, 99, 2}); // clamped to the ordinary cells
    QCOMPARE(grid.Selection(), (GridRect{1, 1, 4, 2}));
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

void TestStringGrid::userMovesGoThroughTheHookAndTakeSizes() {
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

void TestStringGrid::draggingHeadersMovesColumnsAndRows() {
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

void TestStringGrid::draggingBordersResizes() {
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

void TestStringGrid::paintingTouchesOnlyVisibleCells() {
    auto grid = shownGrid();
    grid->setColCount(20);
    int small = 0;
    auto counter = [](int& count) {
        return [&count](QPainter&, int, int, const QRect&, DrawStates) { ++count; };
    };
    auto connection = connect(grid.get(), &StringGrid::DrawCellEvent, counter(small));
    render(*grid);
    disconnect(connection);
    grid->setRowCount(1000000);
    int large = 0;
    connect(grid.get(), &StringGrid::DrawCellEvent, counter(large));
    render(*grid);
    // 5 columns (one partly) are in view, and as many rows as start in the view, whatever
    // the number of rows.
    const int rowsInView = (grid->viewport()->height() + 24) / 25;
    QCOMPARE(small, 5 * 5);
    QCOMPARE(large, 5 * rowsInView);
}

void TestStringGrid::drawStatesTellFixedSelectedFocused() {
    auto grid = shownGrid();
    QVERIFY(grid->hasFocus());
    grid->setSelection({1, 1, 2, 2});
    QMap<QPair<int, int>, DrawStates> states;
    connect(grid.get(), &StringGrid::DrawCellEvent,
            [&](QPainter&, int col, int row, const QRect&, DrawStates state) {
                states[{col, row}] = state;
            });
    render(*grid);
    QCOMPARE(states.value({0, 0}), DrawStates(DrawState::gdFixed));
    QCOMPARE(states.value({2, 0}), DrawStates(DrawState::gdFixed));
    QCOMPARE(states.value({1, 1}), DrawState::gdSelected | DrawState::gdFocused);
    QCOMPARE(states.value({2, 2}), DrawStates(DrawState::gdSelected));
    QCOMPARE(states.value({3, 2}), DrawStates());
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

void TestStringGrid::gridLinesFollowOptions() {
    auto grid = shownGrid();
    grid->setCurrentCell(4, 4);
    const QColor window = platform::colorFromValue(grid->Color());
    QImage image = render(*grid);
    QCOMPARE(image.pixelColor(129, 60), QColor(0xC0, 0xC0, 0xC0)); // vertical ordinary line
    QCOMPARE(image.pixelColor(100, 49), QColor(0xC0, 0xC0, 0xC0)); // horizontal ordinary line
    QVERIFY(image.pixelColor(64, 60) != window);                   // fixed line
    grid->setOptions(GridOption::goRangeSelect);
    image = render(*grid);
    QCOMPARE(image.pixelColor(129, 60), window);
    QCOMPARE(image.pixelColor(100, 49), window);
    // Beside the last column the grid shows its own colour.
    grid->setColCount(3);
    image = render(*grid);
    QCOMPARE(image.pixelColor(290, 190), window);
}

void TestStringGrid::selectionColoursFollowFocusAndOptions() {
    auto grid = shownGrid();
    const QColor highlight = platform::colorFromValue(platform::clHighlight);
    const QColor window = platform::colorFromValue(grid->Color());
    const QColor fixed = platform::colorFromValue(grid->FixedColor());
    grid->setSelection({1, 1, 2, 1});
    QImage image = render(*grid);
    QCOMPARE(image.pixelColor(100, 40), window);    // the focused cell keeps the window colour
    QCOMPARE(image.pixelColor(160, 40), highlight); // the rest of the range is highlighted
    QCOMPARE(image.pixelColor(30, 40), fixed);
    grid->setOptions(grid->Options() | GridOption::goDrawFocusSelected);
    image = render(*grid);
    QCOMPARE(image.pixelColor(100, 40), highlight);
    grid->setFixedColor(0x0000FF); // 0x00BBGGRR: red
    grid->setDefaultDrawing(false);
    image = render(*grid);
    QCOMPARE(image.pixelColor(30, 40), window); // without default drawing, only the event draws
}

void TestStringGrid::colourValues_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("color");
    const QPalette palette = QGuiApplication::palette();
    QTest::newRow("a plain value is blue-green-red") << 0x00336699u << QColor(0x99, 0x66, 0x33);
    QTest::newRow("white") << 0x00FFFFFFu << QColor(Qt::white);
    QTest::newRow("the button face follows the palette")
        << 0x8000000Fu << palette.color(QPalette::Active, QPalette::Button);
    QTest::newRow("the window follows the palette")
        << 0x80000005u << palette.color(QPalette::Active, QPalette::Base);
    QTest::newRow("the window text follows the palette")
        << 0x80000008u << palette.color(QPalette::Active, QPalette::Text);
    QTest::newRow("the highlight text follows the palette")
        << 0x8000000Eu << palette.color(QPalette::Active, QPalette::HighlightedText);
    QTest::newRow("the active caption takes the classic colour")
        << 0x80000002u << QColor(0x99, 0xB4, 0xD1);
    QTest::newRow("an unknown system colour is black") << 0x80000063u << QColor(Qt::black);
}

void TestStringGrid::colourValues() {
    QFETCH(quint32, value);
    QFETCH(QColor, color);
    QCOMPARE(platform::colorFromValue(value), color);
    if (!(value & 0x80000000u))
        QCOMPARE(platform::valueFromColor(color), value);
}

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
