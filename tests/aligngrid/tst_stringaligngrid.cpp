// The aligned grid widget: its properties, structure changes and cell painting.

#include "paintrecorder.h"
#include "platform/colors.h"
#include "widgets/aligngrid/qtconvert.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>

using namespace aligngrid;
using stringgrid::DrawState;
using stringgrid::DrawStates;
using stringgrid::GridOption;

namespace {

// Exposes the painting hook so a test can paint one cell where it likes.
class PaintableGrid : public TStringAlignGrid {
public:
    using TStringAlignGrid::DrawCell;
};

QColor colorOf(quint32 value) {
    return platform::colorFromValue(value);
}

// The texts that painting cell (col, row) into rect draws.
QVector<DrawnText> drawnTexts(PaintableGrid& grid, int col, int row, const QRect& rect,
                              DrawStates state = {}) {
    RecordingDevice device;
    QPainter painter(&device);
    grid.DrawCell(painter, col, row, rect, state);
    painter.end();
    return device.engine.texts;
}

QImage paintedCell(PaintableGrid& grid, int col, int row, const QRect& rect,
                   DrawStates state = {}) {
    QImage image(rect.right() + 20, rect.bottom() + 20, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    grid.DrawCell(painter, col, row, rect, state);
    painter.end();
    return image;
}

} // namespace

Q_DECLARE_METATYPE(aligngrid::TMyAlign)
Q_DECLARE_METATYPE(stringgrid::DrawStates)
Q_DECLARE_METATYPE(stringgrid::GridOptions)

class TestStringAlignGrid : public QObject {
    Q_OBJECT

private slots:
    void publishedPropertiesHaveTheirDefaults();
    void builtInComparisonsCompareCellTexts();
    void insertColAtZeroWithOneFixedColumnInsertsAtOne();
    void insertColMovesAColumnSettingBeyondTheGrid();
    void insertRowShiftsTextsAndSettings();
    void movingAColumnTakesItsSettingsAlong();
    void movingARowTakesItsCellSettingsAlong();
    void fixedColorPaintsFixedCellsWithoutABrush();
    void sizeChangeEventsFollowThePlatform();
    void ownFontIsTheWidgetsFont();

    void linesAreAlignedEachByItself_data();
    void linesAreAlignedEachByItself();
    void rightAlignedLinesEndTwoPixelsLeftOfTheEdge();
    void centredTextWiderThanItsCellIsClippedOnBothSides();
    void anEmptyCellOnlyFillsItsBackground();
    void selectionColours_data();
    void selectionColours();
    void cellFontAndBrushArePainted();
    void drawCellEventFollowsThePainting();
};

void TestStringAlignGrid::publishedPropertiesHaveTheirDefaults() {
    TStringAlignGrid grid;
    QCOMPARE(grid.Alignment(), alLeft);
    QVERIFY(grid.Editable());
    QCOMPARE(grid.FixedColor(), 0x8000000Fu);
    QVERIFY(grid.ShowCellHints);
    QCOMPARE(grid.SelectedCellColor(), 0x80000002u);
    QCOMPARE(grid.SelectedFontColor(), 0xFFFFFFu);
    QVERIFY(!grid.AutoEditNextCell);
    QCOMPARE(grid.NextCellEdit, nc_rightdown);
    QCOMPARE(grid.NextCellTab, nc_rightdown);
    QCOMPARE(grid.AfterLastCellEdit, lc_newcolrow);
    QCOMPARE(grid.AfterLastCellTab, lc_first);
    QVERIFY(grid.DrawSelection);
    QVERIFY(!grid.OnAfterEdit && !grid.OnBeforeEdit && !grid.OnCancelEdit);
    QVERIFY(grid.OnCompareCol && grid.OnCompareRow);
    QCOMPARE(grid.HintCol(), -1);
    QCOMPARE(grid.HintRow(), -1);
    QVERIFY(!grid.Editing());
}

void TestStringAlignGrid::builtInComparisonsCompareCellTexts() {
    TStringAlignGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setCells(1, 1, "b");
    grid.setCells(1, 2, "a");
    grid.setCells(2, 1, "b");
    // Column 1, rows 1 and 2.
    QCOMPARE(grid.OnCompareCol(&grid, 1, 1, 2), rl_after);
    QCOMPARE(grid.OnCompareCol(&grid, 1, 2, 1), rl_before);
    // Row 1, columns 1 and 2.
    QCOMPARE(grid.OnCompareRow(&grid, 1, 1, 2), rl_equal);
    // In the code page's order, not UTF-8's: the euro sign (0x80) before é (0xE9).
    grid.setCells(2, 2, QStringLiteral("é"));
    grid.setCells(1, 2, QStringLiteral("€"));
    QCOMPARE(grid.OnCompareRow(&grid, 2, 1, 2), rl_before);
}

void TestStringAlignGrid::insertColAtZeroWithOneFixedColumnInsertsAtOne() {
    TStringAlignGrid grid;
    grid.setColCount(3);
    grid.setRowCount(2);
    grid.setColWidths(1, 90);
    for (int c = 0; c < 3; ++c)
        grid.setCells(c, 1, QString("c%1").arg(c));
    grid.SetAlignCol(1, alCenter);
    grid.Settings().SetHintCell(1, 1, "hint");
    grid.InsertCol(0);
    QCOMPARE(grid.ColCount(), 4);
    QCOMPARE(grid.Cells(0, 1), QString("c0"));
    QCOMPARE(grid.Cells(1, 1), QString());
    QCOMPARE(grid.Cells(2, 1), QString("c1"));
    QCOMPARE(grid.Cells(3, 1), QString("c2"));
    QCOMPARE(grid.GetCellAlignment(2, 1), alCenter);
    QCOMPARE(grid.GetCellAlignment(1, 1), alLeft);
    QCOMPARE(grid.GetCellHint(2, 1), QString("hint"));
    QCOMPARE(grid.ColWidths(1), 90); // widths stay with their positions
}

void TestStringAlignGrid::insertColMovesAColumnSettingBeyondTheGrid() {
    TStringAlignGrid grid;
    grid.setColCount(5);
    grid.SetAlignCol(10, alCenter);
    QVERIFY(grid.Settings().Flag(StoredTable::AlignCol));
    grid.InsertCol(10); // appended at the end: the grid has 6 columns, the setting moves on
    QCOMPARE(grid.ColCount(), 6);
    QCOMPARE(grid.GetCellAlignment(11, 1), alCenter);
    QCOMPARE(grid.GetCellAlignment(10, 1), alLeft);
    grid.InsertCol(2);
    QCOMPARE(grid.GetCellAlignment(12, 1), alCenter);
}

void TestStringAlignGrid::insertRowShiftsTextsAndSettings() {
    TStringAlignGrid grid;
    grid.setColCount(2);
    grid.setRowCount(4);
    for (int r = 0; r < 4; ++r)
        grid.setCells(1, r, QString("r%1").arg(r));
    grid.Settings().SetAlignRow(2, alRight);
    grid.Settings().SetAlignCell(1, 3, alCenter);
    grid.InsertRow(2);
    QCOMPARE(grid.RowCount(), 5);
    const QStringList expected{"r0", "r1", "", "r2", "r3"};
    for (int r = 0; r < 5; ++r)
        QCOMPARE(grid.Cells(1, r), expected[r]);
    QCOMPARE(grid.GetCellAlignment(1, 3), alRight);
    QCOMPARE(grid.GetCellAlignment(1, 4), alCenter);
    QCOMPARE(grid.GetCellAlignment(1, 2), alLeft);
}

void TestStringAlignGrid::movingAColumnTakesItsSettingsAlong() {
    TStringAlignGrid grid;
    grid.setColCount(5);
    grid.setRowCount(3);
    grid.setCells(1, 1, "one");
    grid.setCells(3, 1, "three");
    grid.SetAlignCol(1, alCenter);
    grid.Settings().SetHintCell(1, 2, "hint");
    TMyFont font;
    font.setName("DejaVu Serif");
    grid.Settings().SetFontCol(1, font);
    TMyBrush brush;
    brush.setColor(0x00FF00);
    grid.Settings().SetBrushCell(1, 1, brush);
    grid.MoveColumn(1, 3);
    QCOMPARE(grid.Cells(3, 1), QString("one"));
    QCOMPARE(grid.Cells(2, 1), QString("three"));
    QCOMPARE(grid.GetCellAlignment(3, 1), alCenter);
    QCOMPARE(grid.GetCellHint(3, 2), QString("hint"));
    QCOMPARE(grid.GetCellFont(3, 1).Name(), std::string("DejaVu Serif"));
    QCOMPARE(grid.GetCellColor(3, 1), 0x00FF00u);
    QCOMPARE(grid.GetCellAlignment(1, 1), alLeft);
}

void TestStringAlignGrid::movingARowTakesItsCellSettingsAlong() {
    TStringAlignGrid grid;
    grid.setColCount(4);
    grid.setRowCount(5);
    grid.setCells(2, 4, "four");
    grid.Settings().SetAlignCell(1, 4, alCenter);
    grid.Settings().SetAlignCell(3, 4, alRight);
    grid.MoveRow(4, 1);
    QCOMPARE(grid.Cells(2, 1), QString("four"));
    QCOMPARE(grid.GetCellAlignment(1, 1), alCenter);
    QCOMPARE(grid.GetCellAlignment(3, 1), alRight);
    QCOMPARE(grid.GetCellAlignment(3, 4), alLeft);
}

void TestStringAlignGrid::fixedColorPaintsFixedCellsWithoutABrush() {
    PaintableGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    TMyBrush own;
    own.setColor(0x00FF00);
    grid.Settings().SetBrushFixedCol(2, own);
    grid.setFixedColor(0x0000FF);
    QCOMPARE(grid.FixedColor(), 0x0000FFu);
    QCOMPARE(grid.GetCellColor(0, 1), 0x0000FFu);
    QCOMPARE(grid.GetCellColor(2, 0), 0x00FF00u);
    const QRect rect(0, 0, 30, 20);
    QCOMPARE(paintedCell(grid, 1, 0, rect, DrawState::gdFixed).pixelColor(5, 5), QColor(255, 0, 0));
    QCOMPARE(paintedCell(grid, 1, 1, rect).pixelColor(5, 5), colorOf(grid.Color()));
}

void TestStringAlignGrid::sizeChangeEventsFollowThePlatform() {
    TStringAlignGrid grid;
    QList<QString> events;
    grid.OnColWidthsChanged = [&](TStringAlignGrid* sender) {
        QCOMPARE(sender, &grid);
        events << QString("cols %1").arg(sender->ColWidths(2));
    };
    grid.OnRowHeightsChanged = [&](TStringAlignGrid* sender) {
        events << QString("rows %1").arg(sender->RowHeights(1));
    };
    grid.setColWidths(2, 77);
    grid.setRowHeights(1, 33);
    QCOMPARE(events, (QList<QString>{"cols 77", "rows 33"}));
}

void TestStringAlignGrid::ownFontIsTheWidgetsFont() {
    TStringAlignGrid grid;
    QCOMPARE(grid.font().pixelSize(), 11);
    grid.Settings().Font().setHeight(-15);
    QCOMPARE(grid.font().pixelSize(), 15);
}

// ---- Painting ----------------------------------------------------------------------------

void TestStringAlignGrid::linesAreAlignedEachByItself_data() {
    QTest::addColumn<TMyAlign>("alignment");
    QTest::addColumn<QString>("text");
    QTest::newRow("left: every line starts 2 px right of the left edge") << alLeft << "Panneau\rab";
    QTest::newRow("centre: every line centred by itself") << alCenter << "Largeur\rab";
    QTest::newRow("right: every line ends 2 px left of the right edge")
        << alRight << "16\r\nTraverse";
}

void TestStringAlignGrid::linesAreAlignedEachByItself() {
    QFETCH(TMyAlign, alignment);
    QFETCH(QString, text);
    PaintableGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setCells(1, 1, text);
    grid.Settings().SetAlignCell(1, 1, alignment);
    const QRect rect(10, 20, 121, 60);
    const auto texts = drawnTexts(grid, 1, 1, rect);
    const QStringList lines = QString(text).remove('\n').split('\r');
    QCOMPARE(texts.size(), lines.size());
    const QFontMetrics metrics(grid.font());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(texts[i].text, lines[i]);
        const int width = metrics.horizontalAdvance(lines[i]);
        int x = rect.left() + 2;
        if (alignment == alRight)
            x = rect.left() + rect.width() - width - 2;
        else if (alignment == alCenter)
            x = rect.left() + (rect.width() - width) / 2;
        QCOMPARE(texts[i].baseline.x(), qreal(x));
        QCOMPARE(texts[i].baseline.y(),
                 qreal(rect.top() + 2 + i * metrics.height() + metrics.ascent()));
        QCOMPARE(texts[i].clip, QRectF(rect));
    }
}

void TestStringAlignGrid::rightAlignedLinesEndTwoPixelsLeftOfTheEdge() {
    PaintableGrid grid;
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setCells(1, 1, "abc\r\nde");
    grid.setAlignment(alRight);
    const QRect rect(0, 0, 80, 50);
    const auto texts = drawnTexts(grid, 1, 1, rect);
    const QFontMetrics metrics(grid.font());
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0].text, QString("abc"));
    QCOMPARE(texts[1].text, QString("de")); // the line feed is not drawn
    QCOMPARE(texts[0].baseline.x() + metrics.horizontalAdvance("abc"), qreal(78));
    QCOMPARE(texts[1].baseline.x() + metrics.horizontalAdvance("de"), qreal(78));
    QCOMPARE(texts[1].baseline.y() - texts[0].baseline.y(), qreal(metrics.height()));
}

void TestStringAlignGrid::centredTextWiderThanItsCellIsClippedOnBothSides() {
    PaintableGrid grid;
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setColor(0xFFFFFF);
    grid.setCells(1, 1, "WWWWWWWWWWWWWWWWWWWW");
    grid.setAlignment(alCenter);
    const QRect rect(30, 5, 40, 20);
    const auto texts = drawnTexts(grid, 1, 1, rect);
    QCOMPARE(texts.size(), 1);
    QVERIFY(texts[0].baseline.x() < rect.left());
    QCOMPARE(texts[0].clip, QRectF(rect));

    const QImage image = paintedCell(grid, 1, 1, rect);
    bool inkAtLeft = false, inkAtRight = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (!rect.contains(x, y)) {
                QCOMPARE(pixel, QColor(Qt::magenta)); // nothing outside the cell
                continue;
            }
            const bool ink = pixel != QColor(Qt::white);
            inkAtLeft |= ink && x == rect.left();
            inkAtRight |= ink && x == rect.right();
        }
    }
    QVERIFY(inkAtLeft);
    QVERIFY(inkAtRight);
}

void TestStringAlignGrid::anEmptyCellOnlyFillsItsBackground() {
    PaintableGrid grid;
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setColor(0x336699);
    const QRect rect(2, 3, 30, 15);
    QVERIFY(drawnTexts(grid, 1, 1, rect).isEmpty());
    const QImage image = paintedCell(grid, 1, 1, rect);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixelColor(x, y),
                     rect.contains(x, y) ? QColor(0x99, 0x66, 0x33) : QColor(Qt::magenta));
}

void TestStringAlignGrid::selectionColours_data() {
    QTest::addColumn<DrawStates>("state");
    QTest::addColumn<stringgrid::GridOptions>("options");
    QTest::addColumn<bool>("drawSelection");
    QTest::addColumn<bool>("selectedLook");
    const DrawStates selected = DrawState::gdSelected;
    const DrawStates focused = DrawStates(DrawState::gdSelected) | DrawState::gdFocused;
    const stringgrid::GridOptions plain = stringgrid::defaultGridOptions();
    QTest::newRow("a selected cell that is not focused") << selected << plain << true << true;
    QTest::newRow("the focused cell without goDrawFocusSelected")
        << focused << plain << true << false;
    QTest::newRow("the focused cell with goDrawFocusSelected")
        << focused << (plain | GridOption::goDrawFocusSelected) << true << true;
    QTest::newRow("the focused cell with goRowSelect")
        << focused << (plain | GridOption::goRowSelect) << true << true;
    QTest::newRow("a selected cell with DrawSelection off") << selected << plain << false << false;
    QTest::newRow("an unselected cell") << DrawStates() << plain << true << false;
}

void TestStringAlignGrid::selectionColours() {
    QFETCH(DrawStates, state);
    QFETCH(stringgrid::GridOptions, options);
    QFETCH(bool, drawSelection);
    QFETCH(bool, selectedLook);
    PaintableGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setOptions(options);
    grid.DrawSelection = drawSelection;
    grid.setColor(0xFFFFFF);
    grid.Settings().SetSelectedColorCol(1, 0x0000FF);         // red background
    grid.Settings().SetSelectedFontColorCell(1, 1, 0x00FF00); // green text
    grid.Settings().Font().setColor(0x000000);
    grid.setCells(1, 1, "█████");
    const QRect rect(0, 0, 60, 20);
    const QImage image = paintedCell(grid, 1, 1, rect, state);
    QCOMPARE(image.pixelColor(58, 18), selectedLook ? QColor(255, 0, 0) : QColor(Qt::white));
    bool green = false, black = false;
    for (int x = 2; x < 40; ++x) {
        const QColor pixel = image.pixelColor(x, 9);
        green |= pixel == QColor(0, 255, 0);
        black |= pixel == QColor(0, 0, 0);
    }
    QCOMPARE(green, selectedLook);
    QCOMPARE(black, !selectedLook);
    // The stored objects are not changed by painting a selection.
    QCOMPARE(grid.GetCellColor(1, 1), 0xFFFFFFu);
    QCOMPARE(grid.GetCellFont(1, 1).Color(), 0u);
}

void TestStringAlignGrid::cellFontAndBrushArePainted() {
    PaintableGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    TMyFont font;
    font.setHeight(-20);
    font.setStyle(fsBold);
    grid.Settings().SetFontCol(2, font);
    TMyBrush clear;
    clear.setStyle(bsClear);
    grid.Settings().SetBrushCell(1, 1, clear);
    grid.setCells(2, 1, "x");
    const auto texts = drawnTexts(grid, 2, 1, QRect(0, 0, 50, 30));
    QCOMPARE(texts.size(), 1);
    const QFontMetrics metrics(toQFont(grid.GetCellFont(2, 1)));
    QCOMPARE(texts[0].baseline.y(), qreal(2 + metrics.ascent()));
    QVERIFY(metrics.ascent() > QFontMetrics(grid.font()).ascent()); // the column's font
    // A clear brush leaves what was under the cell.
    QCOMPARE(paintedCell(grid, 1, 1, QRect(0, 0, 20, 20)).pixelColor(5, 5), QColor(Qt::magenta));
}

void TestStringAlignGrid::drawCellEventFollowsThePainting() {
    PaintableGrid grid;
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setColor(0xFFFFFF);
    int calls = 0;
    QObject::connect(&grid, &stringgrid::StringGrid::DrawCellEvent,
                     [&](QPainter& painter, int col, int row, const QRect& rect, DrawStates) {
                         ++calls;
                         QCOMPARE(col, 1);
                         QCOMPARE(row, 1);
                         painter.fillRect(rect.adjusted(0, 0, -10, 0), Qt::blue);
                     });
    const QRect rect(0, 0, 30, 20);
    QImage image = paintedCell(grid, 1, 1, rect);
    QCOMPARE(calls, 1);
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::blue)); // the handler paints last
    QCOMPARE(image.pixelColor(25, 5), QColor(Qt::white));

    grid.setDefaultDrawing(false);
    grid.setCells(1, 1, "text");
    const auto texts = drawnTexts(grid, 1, 1, rect);
    QVERIFY(texts.isEmpty()); // without default drawing only the handler paints
    QCOMPARE(calls, 2);
}

QTEST_MAIN(TestStringAlignGrid)
#include "tst_stringaligngrid.moc"
