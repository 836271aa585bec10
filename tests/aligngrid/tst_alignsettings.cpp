// The settings model on its own (defaults, lookups, setters and flags, fonts and brushes, the
// text comparison): no widget, no QApplication. Its tables' structure changes are tested beside.

#include "aligngrid/gridtestsupport.h"
#include "aligngrid/settingsmodel.h"
#include "widgets/aligngrid/model/alignsettings.h"

#include <QTest>
#include <atomic>
#include <cstdlib>
#include <new>

// Counts every allocation of this program, so a test can prove that lookups allocate nothing.
// MinGW's GCC 12 sees these replacements inlined into each other and takes the pair for a
// mismatch; they are the program's one new and delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace aligngrid;
using gridtest::TestShape;

using Model = gridtest::SettingsModel;
using gridtest::fontNamed;

Q_DECLARE_METATYPE(aligngrid::TMyAlign)

class TestAlignSettings : public QObject {
    Q_OBJECT

private slots:
    void aNewGridHasTheGridWideDefaults();
    void cuttingListAlignments_data();
    void cuttingListAlignments();
    void alignmentPrecedence_data();
    void alignmentPrecedence();
    void fixedCellsUseOnlyTheFixedTables();
    void editabilityAndSelectionIgnoreTheFixedPart();
    void negativeIndexStoresNothingAndFails_data();
    void negativeIndexStoresNothingAndFails();
    void eachSetterSetsItsOwnFlagAndRepaints();
    void fontAndBrushChangesSetTheFlagAndNotify();
    void brushesMadeOnDemandCopyTheGridsBrush();
    void fixedColorReachesFixedCellsWithoutABrush();
    void gridColorReachesOrdinaryCellsWithoutABrush();
    void compareTexts_data();
    void compareTexts();
    void lookupsNeverAllocate();
};

void TestAlignSettings::aNewGridHasTheGridWideDefaults() {
    Model m;
    const AlignSettings& s = m.settings;
    for (int col = -1; col <= 6; ++col) {
        for (int row = -1; row <= 7; ++row) {
            const bool fixed = col < 1 || row < 1;
            QCOMPARE(s.GetCellAlignment(col, row), alLeft);
            QVERIFY(s.IsCellEditable(col, row));
            QCOMPARE(&s.GetCellFont(col, row), &s.Font());
            QCOMPARE(s.GetCellColor(col, row), fixed ? 0x8000000Fu : 0x80000005u);
            QCOMPARE(s.GetSelectedCellColor(col, row), 0x80000002u);
            QCOMPARE(s.GetSelectedFontColor(col, row), 0xFFFFFFu);
            QVERIFY(s.GetCellHint(col, row).empty());
            QCOMPARE(s.IsFixedCell(col, row), fixed);
        }
    }
    for (std::size_t i = 0; i < storedTableCount; ++i)
        QVERIFY(!s.Flag(static_cast<StoredTable>(i)));
    QCOMPARE(s.Font().Name(), std::string("MS Sans Serif"));
    QCOMPARE(s.Font().Height(), -11);
    QVERIFY(!s.Font().Changed());
}

void TestAlignSettings::cuttingListAlignments_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<TMyAlign>("expected");
    QTest::newRow("a piece name (0,2) takes the fixed alignment of column 0") << 0 << 2 << alLeft;
    QTest::newRow("the empty corner (0,0) is left-aligned too") << 0 << 0 << alLeft;
    QTest::newRow("a heading (2,0) takes the fixed alignment of column 2") << 2 << 0 << alCenter;
    QTest::newRow("a width (2,2) falls back to the grid's alRight") << 2 << 2 << alRight;
    QTest::newRow("a length (1,5) falls back to the grid's alRight") << 1 << 5 << alRight;
    QTest::newRow("a remark (4,5) takes AlignCol(4)") << 4 << 5 << alLeft;
    QTest::newRow("the remark heading (4,0) ignores AlignCol(4)") << 4 << 0 << alCenter;
}

void TestAlignSettings::cuttingListAlignments() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(TMyAlign, expected);
    Model m;
    m.settings.setAlignment(alRight);
    m.settings.SetFixedAlignCol(0, alLeft);
    for (int c = 1; c <= 4; ++c)
        m.settings.SetFixedAlignCol(c, alCenter);
    m.settings.SetAlignCol(4, alLeft);
    QCOMPARE(m.settings.GetCellAlignment(col, row), expected);
}

void TestAlignSettings::alignmentPrecedence_data() {
    QTest::addColumn<bool>("cell");
    QTest::addColumn<bool>("column");
    QTest::addColumn<bool>("row");
    QTest::addColumn<TMyAlign>("expected");
    QTest::newRow("the cell's own setting beats column and row")
        << true << true << true << alCenter;
    QTest::newRow("a column setting beats a row setting") << false << true << true << alRight;
    QTest::newRow("a row setting beats the default") << false << false << true << alLeft;
    QTest::newRow("nothing set gives the default") << false << false << false << alRight;
}

void TestAlignSettings::alignmentPrecedence() {
    QFETCH(bool, cell);
    QFETCH(bool, column);
    QFETCH(bool, row);
    QFETCH(TMyAlign, expected);
    Model m;
    m.settings.setAlignment(alRight);
    if (cell)
        m.settings.SetAlignCell(2, 3, alCenter);
    if (column)
        m.settings.SetAlignCol(2, alRight);
    if (row)
        m.settings.SetAlignRow(3, alLeft);
    if (!column && !row && !cell)
        m.settings.SetAlignCol(3, alCenter); // a neighbour's setting does not leak
    QCOMPARE(m.settings.GetCellAlignment(2, 3), expected);
}

void TestAlignSettings::fixedCellsUseOnlyTheFixedTables() {
    Model m;
    AlignSettings& s = m.settings;
    TMyFont colFont, rowFont, fixedColFont, fixedRowFont;
    s.SetFontCol(2, fontNamed(colFont, "col"));
    s.SetFontRow(0, fontNamed(rowFont, "row"));
    TMyBrush colBrush;
    colBrush.setColor(0x0000FF);
    s.SetBrushCol(2, colBrush);
    s.SetAlignCol(2, alCenter);
    s.SetAlignRow(0, alRight);

    // (2, 0) is fixed (row 0): the ordinary column and row settings do not reach it.
    QCOMPARE(s.GetCellAlignment(2, 0), alLeft);
    QCOMPARE(&s.GetCellFont(2, 0), &s.Font());
    QCOMPARE(s.GetCellColor(2, 0), 0x8000000Fu);
    // (2, 1) is an ordinary cell: they do.
    QCOMPARE(s.GetCellAlignment(2, 1), alCenter);
    QCOMPARE(s.GetCellFont(2, 1).Name(), std::string("col"));
    QCOMPARE(s.GetCellColor(2, 1), 0x0000FFu);

    s.SetFontFixedCol(2, fontNamed(fixedColFont, "fixedcol"));
    s.SetFontFixedRow(0, fontNamed(fixedRowFont, "fixedrow"));
    s.SetFixedAlignRow(0, alCenter);
    TMyBrush fixedBrush;
    fixedBrush.setColor(0x00FF00);
    s.SetBrushFixedRow(0, fixedBrush);
    QCOMPARE(s.GetCellFont(2, 0).Name(), std::string("fixedcol")); // column beats row
    QCOMPARE(s.GetCellFont(3, 0).Name(), std::string("fixedrow"));
    QCOMPARE(s.GetCellAlignment(3, 0), alCenter);
    QCOMPARE(s.GetCellColor(3, 0), 0x00FF00u);
    QCOMPARE(s.GetCellFont(3, 1).Name(), std::string("MS Sans Serif")); // ordinary cell
}

void TestAlignSettings::editabilityAndSelectionIgnoreTheFixedPart() {
    Model m;
    AlignSettings& s = m.settings;
    s.SetEditCol(0, false);
    s.SetEditRow(0, false);
    s.SetEditRow(2, false);
    s.SetEditCol(3, true);
    s.SetSelectedColorCol(0, 0x112233);
    s.SetSelectedColorRow(2, 0x445566);
    s.SetSelectedFontColorRow(0, 0x0000FF);
    QVERIFY(!s.IsCellEditable(0, 3));
    QVERIFY(!s.IsCellEditable(2, 0));
    QVERIFY(s.IsCellEditable(3, 2)); // column beats row
    QVERIFY(!s.IsCellEditable(2, 2));
    QVERIFY(s.IsCellEditable(2, 1));
    QCOMPARE(s.GetSelectedCellColor(0, 2), 0x112233u);
    QCOMPARE(s.GetSelectedCellColor(1, 2), 0x445566u);
    QCOMPARE(s.GetSelectedFontColor(3, 0), 0x0000FFu);
    s.SetEditCell(2, 2, true);
    QVERIFY(s.IsCellEditable(2, 2));
}

void TestAlignSettings::negativeIndexStoresNothingAndFails_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("message");
    QTest::newRow("SetAlignCol(-1)") << 0 << "Indice de liste hors limites (-1)";
    QTest::newRow("SetFixedAlignCol(-3)") << 1 << "Indice de liste hors limites (-3)";
    QTest::newRow("SetAlignCell(2, -7)") << 2 << "Indice de liste hors limites (-7)";
    QTest::newRow("SetFontRow(-2)") << 3 << "Indice de liste hors limites (-2)";
    QTest::newRow("SetHintCell(-5, 1)") << 4 << "Indice de liste hors limites (-5)";
}

void TestAlignSettings::negativeIndexStoresNothingAndFails() {
    QFETCH(int, which);
    QFETCH(QString, message);
    Model m;
    AlignSettings& s = m.settings;
    TMyFont font;
    std::string caught;
    try {
        switch (which) {
        case 0:
            s.SetAlignCol(-1, alCenter);
            break;
        case 1:
            s.SetFixedAlignCol(-3, alCenter);
            break;
        case 2:
            s.SetAlignCell(2, -7, alCenter);
            break;
        case 3:
            s.SetFontRow(-2, font);
            break;
        default:
            s.SetHintCell(-5, 1, "x");
            break;
        }
    } catch (const base::ListIndexError& e) {
        caught = e.message();
    }
    QCOMPARE(QString::fromStdString(caught), message);
    QVERIFY(s.AlignCol().empty() && s.FixedAlignCol().empty() && s.AlignCell().empty());
    QVERIFY(s.FontRow().empty() && s.HintCell().empty());
    for (std::size_t i = 0; i < storedTableCount; ++i)
        QVERIFY(!s.Flag(static_cast<StoredTable>(i)));
    QCOMPARE(m.repaints, 0);
}

void TestAlignSettings::eachSetterSetsItsOwnFlagAndRepaints() {
    TMyFont font;
    TMyBrush brush;
    const std::vector<std::pair<StoredTable, std::function<void(AlignSettings&)>>> setters{
        {StoredTable::AlignCell, [](AlignSettings& s) { s.SetAlignCell(1, 1, alCenter); }},
        {StoredTable::AlignCol, [](AlignSettings& s) { s.SetAlignCol(1, alCenter); }},
        {StoredTable::AlignRow, [](AlignSettings& s) { s.SetAlignRow(1, alCenter); }},
        {StoredTable::FixedAlignCol, [](AlignSettings& s) { s.SetFixedAlignCol(1, alCenter); }},
        {StoredTable::FixedAlignRow, [](AlignSettings& s) { s.SetFixedAlignRow(1, alCenter); }},
        {StoredTable::EditCell, [](AlignSettings& s) { s.SetEditCell(1, 1, false); }},
        {StoredTable::EditCol, [](AlignSettings& s) { s.SetEditCol(1, false); }},
        {StoredTable::EditRow, [](AlignSettings& s) { s.SetEditRow(1, false); }},
        {StoredTable::HintCell, [](AlignSettings& s) { s.SetHintCell(1, 1, "h"); }},
        {StoredTable::FontCell, [&](AlignSettings& s) { s.SetFontCell(1, 1, font); }},
        {StoredTable::FontCol, [&](AlignSettings& s) { s.SetFontCol(1, font); }},
        {StoredTable::FontRow, [&](AlignSettings& s) { s.SetFontRow(1, font); }},
        {StoredTable::FontFixedCol, [&](AlignSettings& s) { s.SetFontFixedCol(1, font); }},
        {StoredTable::FontFixedRow, [&](AlignSettings& s) { s.SetFontFixedRow(1, font); }},
        {StoredTable::BrushCell, [&](AlignSettings& s) { s.SetBrushCell(1, 1, brush); }},
        {StoredTable::BrushCol, [&](AlignSettings& s) { s.SetBrushCol(1, brush); }},
        {StoredTable::BrushRow, [&](AlignSettings& s) { s.SetBrushRow(1, brush); }},
        {StoredTable::BrushFixedCol, [&](AlignSettings& s) { s.SetBrushFixedCol(1, brush); }},
        {StoredTable::BrushFixedRow, [&](AlignSettings& s) { s.SetBrushFixedRow(1, brush); }},
        {StoredTable::SelectedColorCell, [](AlignSettings& s) { s.SetSelectedColorCell(1, 1, 1); }},
        {StoredTable::SelectedColorCol, [](AlignSettings& s) { s.SetSelectedColorCol(1, 1); }},
        {StoredTable::SelectedColorRow, [](AlignSettings& s) { s.SetSelectedColorRow(1, 1); }},
    };
    for (const auto& [table, set] : setters) {
        Model m;
        set(m.settings);
        QCOMPARE(m.repaints, 1);
        for (std::size_t i = 0; i < storedTableCount; ++i) {
            const auto other = static_cast<StoredTable>(i);
            QVERIFY2(m.settings.Flag(other) == (other == table), storedTableName(other).data());
        }
    }
    Model m;
    m.settings.SetSelectedFontColorCell(1, 1, 1);
    m.settings.SetSelectedFontColorCol(1, 1);
    m.settings.SetSelectedFontColorRow(1, 1);
    QCOMPARE(m.repaints, 3);
    for (std::size_t i = 0; i < storedTableCount; ++i)
        QVERIFY(!m.settings.Flag(static_cast<StoredTable>(i)));
}

void TestAlignSettings::fontAndBrushChangesSetTheFlagAndNotify() {
    int notified = 0;
    TMyFont font;
    font.setOnChange([&] {
        QVERIFY(font.Changed()); // the flag is set before the notification
        ++notified;
    });
    QVERIFY(!font.Changed());
    font.setHeight(font.Height()); // assigning the same value is still a change
    font.setStyle(fsBold | fsItalic);
    TMyFont other;
    other.setColor(0x123);
    font.Assign(other);
    QCOMPARE(notified, 3);
    QCOMPARE(font.Color(), 0x123u);
    QCOMPARE(font.Style(), TFontStyles{0});

    Model m;
    m.settings.SetFontCell(1, 1, other);
    const int before = m.repaints;
    const_cast<TMyFont&>(m.settings.GetCellFont(1, 1)).setHeight(-20);
    QCOMPARE(m.repaints, before + 1);
    QVERIFY(m.settings.GetCellFont(1, 1).Changed());
    m.settings.Font().setName("Arial");
    QCOMPARE(m.repaints, before + 2);

    TMyBrush brush;
    int brushNotified = 0;
    brush.setOnChange([&] { ++brushNotified; });
    brush.setStyle(bsCross);
    QVERIFY(brush.Changed());
    QCOMPARE(brushNotified, 1);
}

void TestAlignSettings::brushesMadeOnDemandCopyTheGridsBrush() {
    Model m;
    AlignSettings& s = m.settings;
    s.Brush().setStyle(bsHorizontal);
    m.shape.color = 0x00C0C0;
    TMyBrush& made = s.BrushFixedColEntry(2);
    QCOMPARE(made.Color(), 0x00C0C0u); // the grid's own brush, also for a fixed table
    QCOMPARE(made.Style(), bsHorizontal);
    made.setColor(0x0000FF);
    QCOMPARE(s.GetCellColor(2, 0), 0x0000FFu);
    QCOMPARE(&s.BrushFixedColEntry(2), &made); // a present entry is used unchanged
    QCOMPARE(s.BrushFixedColEntry(2).Color(), 0x0000FFu);
    QVERIFY(!s.Flag(StoredTable::BrushFixedCol));
    const int before = m.repaints;
    s.BrushCellEntry(3, 3).setColor(0xFF);
    QCOMPARE(m.repaints, before + 1); // made brushes repaint the grid when changed
    QCOMPARE(s.GetCellColor(3, 3), 0xFFu);
    QVERIFY_THROWS_EXCEPTION(base::ListIndexError, s.BrushRowEntry(-1));
}

void TestAlignSettings::fixedColorReachesFixedCellsWithoutABrush() {
    Model m;
    AlignSettings& s = m.settings;
    TMyBrush own;
    own.setColor(0x00FF00);
    s.SetBrushFixedCol(3, own);
    m.shape.fixedColor = 0x0000FF;
    s.fixedColorChanged();
    QCOMPARE(m.repaints, 2);
    QCOMPARE(s.GetCellColor(0, 2), 0x0000FFu);
    QCOMPARE(s.GetCellColor(2, 0), 0x0000FFu);
    QCOMPARE(s.GetCellColor(3, 0), 0x00FF00u);
    QCOMPARE(s.GetCellColor(2, 2), 0x80000005u);
}

void TestAlignSettings::gridColorReachesOrdinaryCellsWithoutABrush() {
    Model m;
    m.shape.color = 0xFFFFFF;
    QCOMPARE(m.settings.GetCellColor(2, 2), 0xFFFFFFu);
    QCOMPARE(m.settings.GetCellColor(0, 0), 0x8000000Fu);
}

void TestAlignSettings::compareTexts_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<int>("relation");
    QTest::newRow("equal texts") << QByteArray("Panneau") << QByteArray("Panneau") << 1;
    QTest::newRow("a greater first text") << QByteArray("b") << QByteArray("a") << 0;
    QTest::newRow("a smaller first text") << QByteArray("a") << QByteArray("b") << 2;
    QTest::newRow("a prefix sorts first") << QByteArray("ab") << QByteArray("abc") << 2;
    QTest::newRow("capitals sort before small letters") << QByteArray("Z") << QByteArray("a") << 2;
    QTest::newRow("an accented letter sorts after z") << QByteArray("é") << QByteArray("z") << 0;
    QTest::newRow("the empty text sorts first") << QByteArray() << QByteArray("0") << 2;
    // The code page's order, which UTF-8's bytes do not follow for 0x80 to 0x9F.
    QTest::newRow("€ (0x80) sorts before ü (0xFC)") << QByteArray("€") << QByteArray("ü") << 2;
    QTest::newRow("… (0x85) sorts before Š (0x8A)") << QByteArray("…") << QByteArray("Š") << 2;
    QTest::newRow("Œ (0x8C) sorts before é (0xE9)") << QByteArray("Œ") << QByteArray("é") << 2;
    QTest::newRow("’ (0x92) sorts before à (0xE0)") << QByteArray("l’") << QByteArray("là") << 2;
    QTest::newRow("“ (0x93) sorts after ’ (0x92)") << QByteArray("“") << QByteArray("’") << 0;
    QTest::newRow("” (0x94) sorts after z") << QByteArray("”") << QByteArray("z") << 0;
    QTest::newRow("œ (0x9C) sorts after Š (0x8A)") << QByteArray("œ") << QByteArray("Š") << 0;
    QTest::newRow("š (0x9A) sorts before œ (0x9C)") << QByteArray("š") << QByteArray("œ") << 2;
    QTest::newRow("a character the code page lacks sorts after ÿ")
        << QByteArray("Ā") << QByteArray("ÿ") << 0;
    QTest::newRow("a character the code page lacks sorts after €")
        << QByteArray("Ā") << QByteArray("€") << 0;
    QTest::newRow("characters the code page lacks sort by code point")
        << QByteArray("→") << QByteArray("Ā") << 0;
    QTest::newRow("a malformed byte sorts after every character")
        << QByteArray("\xff") << QByteArray("→") << 0;
}

void TestAlignSettings::compareTexts() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(int, relation);
    QCOMPARE(int(CompareTexts(first.toStdString(), second.toStdString())), relation);
}

void TestAlignSettings::lookupsNeverAllocate() {
    Model m;
    AlignSettings& s = m.settings;
    TMyFont font;
    TMyBrush brush;
    for (int i = 0; i < 50; i += 3) {
        s.SetAlignCell(i, i + 1, alCenter);
        s.SetAlignRow(i, alRight);
        s.SetFontCol(i, font);
        s.SetBrushCell(i, i, brush);
        s.SetHintCell(i, 2, "hint");
        s.SetEditRow(i, false);
        s.SetSelectedColorCol(i, 1);
    }
    const AlignSettings& c = s;
    const long before = allocations.load();
    unsigned sink = 0;
    for (int col = -2; col < 60; ++col) {
        for (int row = -2; row < 60; ++row) {
            sink += c.GetCellAlignment(col, row) + c.IsCellEditable(col, row) +
                    c.GetCellColor(col, row) + c.GetSelectedCellColor(col, row) +
                    c.GetSelectedFontColor(col, row) +
                    static_cast<unsigned>(c.GetCellFont(col, row).Height()) +
                    static_cast<unsigned>(c.GetCellHint(col, row).size()) +
                    c.GetCellBrush(col, row).Style() + c.IsFixedCell(col, row);
        }
    }
    QCOMPARE(allocations.load() - before, 0L);
    QVERIFY(sink != 0);
}

QTEST_APPLESS_MAIN(TestAlignSettings)
#include "tst_alignsettings.moc"
