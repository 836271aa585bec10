// What the string grid paints: only the cells in view, the states it draws them in, its lines
// and colours.

#include "platform/colors.h"
#include "stringgridprobe.h"
#include "tests/support/modalwatchdog.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

using gridtest::render;
using gridtest::shownGrid;
using stringgrid::DrawState;
using stringgrid::DrawStates;
using stringgrid::GridOption;
using stringgrid::StringGrid;

class TestStringGridPainting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void paintingTouchesOnlyVisibleCells();
    void drawStatesTellFixedSelectedFocused();
    void gridLinesFollowOptions();
    void selectionColoursFollowFocusAndOptions();
    void colourValues_data();
    void colourValues();

private:
    std::unique_ptr<testsupport::ModalWatchdog> watchdog_;
};

void TestStringGridPainting::initTestCase() {
    // A failure must never wait on a real box, nor show one unnoticed.
    watchdog_ = std::make_unique<testsupport::ModalWatchdog>();
}

void TestStringGridPainting::cleanup() {
    watchdog_->check();
}

void TestStringGridPainting::paintingTouchesOnlyVisibleCells() {
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

void TestStringGridPainting::drawStatesTellFixedSelectedFocused() {
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

void TestStringGridPainting::gridLinesFollowOptions() {
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

void TestStringGridPainting::selectionColoursFollowFocusAndOptions() {
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

void TestStringGridPainting::colourValues_data() {
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

void TestStringGridPainting::colourValues() {
    QFETCH(quint32, value);
    QFETCH(QColor, color);
    QCOMPARE(platform::colorFromValue(value), color);
    if (!(value & 0x80000000u))
        QCOMPARE(platform::valueFromColor(color), value);
}

QTEST_MAIN(TestStringGridPainting)
#include "tst_stringgridpainting.moc"
