// The settings model's tables: storing, inserting and moving entries, in one table and across
// every table of the model. No widget, no QApplication.

#include "aligngrid/gridtestsupport.h"
#include "aligngrid/settingsmodel.h"
#include "widgets/aligngrid/model/alignsettings.h"

#include <QTest>

using namespace aligngrid;
using gridtest::TestShape;
using Model = gridtest::SettingsModel;
using gridtest::fontNamed;

class TestAlignSettingsTables : public QObject {
    Q_OBJECT

private slots:
    void tableExtendsOnStoreAndReadsAbsentOutOfRange();
    void storeReplacesAndReleasesTheOldValue();
    void insertShiftsEntriesAtOrAfterTheIndex_data();
    void insertShiftsEntriesAtOrAfterTheIndex();
    void insertingRowsShiftsInsideEveryColumn();
    void moveEntry_data();
    void moveEntry();
    void movingAColumnMovesAllItsSettings();
    void movingARowMovesInsideEveryCellTable();
};

void TestAlignSettingsTables::tableExtendsOnStoreAndReadsAbsentOutOfRange() {
    base::IndexTable<TColor> list;
    QCOMPARE(list.size(), 0);
    list.store(3, 7);
    QCOMPARE(list.size(), 4);
    QVERIFY(!list.find(0) && !list.find(2) && !list.find(4) && !list.find(-1));
    QCOMPARE(*list.find(3), 7u);
    list.store(1, 9);
    QCOMPARE(list.size(), 4);

    CellTable<TColor> cells;
    cells.store(2, 5, 1);
    QCOMPARE(cells.size(), 3);
    QVERIFY(!cells.find(2, 4) && !cells.find(2, 6) && !cells.find(1, 5) && !cells.find(-1, 5));
    QVERIFY(!cells.find(2, -1) && !cells.find(3, 5));
    QCOMPARE(*cells.find(2, 5), 1u);

    // Entries far beyond the grid cost one entry each, not a list that long.
    base::IndexTable<TMyAlign> far;
    far.store(2'000'000'000, alCenter);
    QCOMPARE(far.presentCount(), std::size_t{1});
    QCOMPARE(far.size(), 2'000'000'001);
}

void TestAlignSettingsTables::storeReplacesAndReleasesTheOldValue() {
    auto first = std::make_shared<int>(1);
    base::IndexTable<std::shared_ptr<int>> list;
    list.store(2, first);
    QCOMPARE(first.use_count(), 2L);
    list.store(2, std::make_shared<int>(2));
    QCOMPARE(first.use_count(), 1L);
    QCOMPARE(**list.find(2), 2);

    CellTable<std::shared_ptr<int>> cells;
    cells.store(1, 1, first);
    cells.store(1, 1, nullptr);
    QCOMPARE(first.use_count(), 1L);
    cells.store(0, 0, first);
    cells.clear();
    QCOMPARE(first.use_count(), 1L);

    Model m;
    TMyFont font;
    m.settings.SetFontCol(1, fontNamed(font, "one"));
    m.settings.SetFontCol(1, fontNamed(font, "two"));
    QCOMPARE(m.settings.FontCol().presentCount(), std::size_t{1});
    QCOMPARE(m.settings.GetCellFont(1, 1).Name(), std::string("two"));
}

void TestAlignSettingsTables::insertShiftsEntriesAtOrAfterTheIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("column10GoesTo");
    QTest::newRow("inserting at 10 moves column 10's setting to 11") << 10 << 11;
    QTest::newRow("inserting at 1 moves it to 11") << 1 << 11;
    QTest::newRow("inserting at 11 (the table's length) leaves it") << 11 << 10;
    QTest::newRow("inserting at 12 (beyond the table) leaves it") << 12 << 10;
}

void TestAlignSettingsTables::insertShiftsEntriesAtOrAfterTheIndex() {
    QFETCH(int, index);
    QFETCH(int, column10GoesTo);
    Model m;
    AlignSettings& s = m.settings;
    s.SetAlignCol(10, alCenter);
    s.SetHintCell(10, 2, "hint");
    TMyBrush brush;
    brush.setColor(0x123456);
    s.SetBrushFixedCol(10, brush);
    s.insertColumnSettings(index);
    QCOMPARE(s.GetCellAlignment(column10GoesTo, 2), alCenter);
    QCOMPARE(s.GetCellHint(column10GoesTo, 2), std::string("hint"));
    QCOMPARE(s.GetCellColor(column10GoesTo, 0), 0x123456u);
    if (column10GoesTo != 10) {
        QCOMPARE(s.GetCellAlignment(10, 2), alLeft);
        QVERIFY(s.GetCellHint(10, 2).empty());
    }
}

void TestAlignSettingsTables::insertingRowsShiftsInsideEveryColumn() {
    Model m;
    AlignSettings& s = m.settings;
    s.SetAlignCell(1, 3, alCenter);
    s.SetAlignCell(2, 1, alRight); // a row list shorter than the index is left alone
    s.SetEditRow(4, false);
    s.SetSelectedColorCell(3, 5, 0xABCDEF);
    s.insertRowSettings(3);
    QCOMPARE(s.GetCellAlignment(1, 4), alCenter);
    QCOMPARE(s.GetCellAlignment(1, 3), alLeft);
    QCOMPARE(s.GetCellAlignment(2, 1), alRight);
    QVERIFY(!s.IsCellEditable(2, 5));
    QVERIFY(s.IsCellEditable(2, 4));
    QCOMPARE(s.GetSelectedCellColor(3, 6), 0xABCDEFu);
}

void TestAlignSettingsTables::moveEntry_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // Each character is one entry, '.' an absent one.
    QTest::newRow("forward: the entries between move down") << 1 << 3 << "abcde"
                                                            << "acdbe";
    QTest::newRow("backward: the entries between move up") << 3 << 1 << "abcde"
                                                           << "adbce";
    QTest::newRow("to beyond the end extends the list") << 1 << 6 << "abc"
                                                        << "ac....b";
    QTest::newRow("from beyond the end moves an absent entry in") << 5 << 1 << "abc"
                                                                  << "a.bc";
    QTest::newRow("both beyond the end change nothing") << 4 << 6 << "abc"
                                                        << "abc";
    QTest::newRow("the same index changes nothing") << 2 << 2 << "abc"
                                                    << "abc";
}

void TestAlignSettingsTables::moveEntry() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, before);
    QFETCH(QString, after);
    base::IndexTable<char> list;
    for (int i = 0; i < before.size(); ++i)
        if (before[i] != '.')
            list.store(i, before[i].toLatin1());
    list.move(from, to);
    QString got;
    for (int i = 0; i < std::max<int>(list.size(), after.size()); ++i)
        got += list.find(i) ? QChar(*list.find(i)) : QChar('.');
    while (got.endsWith('.') && got.size() > after.size())
        got.chop(1);
    QCOMPARE(got, after);
}

void TestAlignSettingsTables::movingAColumnMovesAllItsSettings() {
    Model m;
    AlignSettings& s = m.settings;
    TMyFont font;
    TMyBrush brush;
    brush.setColor(0x0000FF);
    s.SetAlignCol(1, alCenter);
    s.SetFixedAlignCol(1, alRight);
    s.SetFontCol(1, fontNamed(font, "moved"));
    s.SetBrushCol(1, brush);
    s.SetHintCell(1, 2, "hint");
    s.SetEditCell(1, 3, false);
    s.SetAlignCol(2, alRight);
    s.moveColumnSettings(1, 3);
    QCOMPARE(s.GetCellAlignment(3, 1), alCenter);
    QCOMPARE(s.GetCellAlignment(3, 0), alRight);
    QCOMPARE(s.GetCellFont(3, 1).Name(), std::string("moved"));
    QCOMPARE(s.GetCellColor(3, 1), 0x0000FFu);
    QCOMPARE(s.GetCellHint(3, 2), std::string("hint"));
    QVERIFY(!s.IsCellEditable(3, 3));
    QCOMPARE(s.GetCellAlignment(1, 1), alRight); // column 2 moved down to 1
    QCOMPARE(s.GetCellAlignment(2, 1), alLeft);
    QVERIFY(s.GetCellHint(1, 2).empty());
}

void TestAlignSettingsTables::movingARowMovesInsideEveryCellTable() {
    Model m;
    AlignSettings& s = m.settings;
    s.SetAlignCell(0, 4, alCenter);
    s.SetAlignCell(3, 4, alRight);
    s.SetHintCell(2, 4, "four");
    s.SetHintCell(2, 1, "one");
    s.SetAlignRow(4, alCenter);
    s.moveRowSettings(4, 1);
    QCOMPARE(s.GetCellAlignment(0, 1), alCenter);
    QCOMPARE(s.GetCellAlignment(3, 1), alRight);
    QCOMPARE(s.GetCellHint(2, 1), std::string("four"));
    QCOMPARE(s.GetCellHint(2, 2), std::string("one"));
    QCOMPARE(s.GetCellAlignment(1, 1), alCenter); // the row table moved too
    QCOMPARE(s.GetCellAlignment(1, 4), alLeft);
}

QTEST_APPLESS_MAIN(TestAlignSettingsTables)
#include "tst_alignsettingstables.moc"
