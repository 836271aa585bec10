// The whole grid in form data: published properties, texts, the after-load step, and loads that
// fail.

#include "aligngrid/gridtestsupport.h"
#include "format/formdata.h"
#include "widgets/aligngrid/alignstream.h"
#include "widgets/aligngrid/model/alignstreamdata.h"
#include "widgets/aligngrid/newinplaceedit.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QTest>

using namespace aligngrid;
using stringgrid::GridOption;

namespace {

// The property names of the grid object in form data.
QStringList propertyNames(const QByteArray& data) {
    const format::FormObject root =
        format::parseForm(std::string_view(data.constData(), std::size_t(data.size())));
    QStringList names;
    for (const auto& property : root.properties) {
        names << QString::fromStdString(property.name);
    }
    return names;
}

// A grid with every published property away from its default, texts and a few settings.
void dressUp(TStringAlignGrid& grid) {
    grid.setColCount(7);
    grid.setRowCount(9);
    grid.setFixedCols(2);
    grid.setFixedRows(0);
    grid.setDefaultColWidth(80);
    grid.setDefaultRowHeight(20);
    grid.setColWidths(3, 150);
    grid.setRowHeights(8, 40);
    grid.setOptions(stringgrid::defaultGridOptions() | GridOption::goEditing | GridOption::goTabs);
    grid.setAlignment(alCenter);
    grid.setEditable(false);
    grid.setFixedColor(0x00C0C0C0);
    grid.ShowCellHints = false;
    grid.setSelectedCellColor(0x000000FF);
    grid.setSelectedFontColor(0x80000008);
    grid.AutoEditNextCell = true;
    grid.NextCellEdit = nc_upleft;
    grid.NextCellTab = nc_downright;
    grid.AfterLastCellEdit = lc_stop;
    grid.AfterLastCellTab = lc_newcolrow;
    grid.DrawSelection = false;
    grid.setCells(0, 0, QStringLiteral("Coin"));
    grid.setCells(6, 8, QStringLiteral("Fin → ici"));
    grid.Settings().SetFlag(StoredTable::Cells, true);
    grid.SetAlignCol(4, alLeft);
    grid.Settings().SetHintCell(1, 1, "astuce");
}

// The dressed grid's form data with one more property appended by hand.
QByteArray withExtra(const TStringAlignGrid& grid, const QByteArray& property) {
    format::FormWriter form;
    form.beginObject(gridClassName, "StringAlignGrid");
    writeGridProperties(grid, form.stream());
    std::string data = form.take();
    data.append(property.constData(), std::size_t(property.size()));
    data.append(2, '\0');
    return QByteArray::fromStdString(data);
}

} // namespace

class TestAlignStreamGrid : public QObject {
    Q_OBJECT

private slots:
    void aPlainGridWritesOnlyItsPlace();
    void everyPublishedPropertyComesBack();
    void aFailedLoadLeavesTheGridAsItWas_data();
    void aFailedLoadLeavesTheGridAsItWas();
    void everyCutOfTheFormFailsAndChangesNothing();
    void afterLoadTheTextsAreExactlyThoseRead();
    void afterLoadTheEditorFollowsAlwaysShowEditor();
    void otherWritersFormsAreRead();
};

void TestAlignStreamGrid::aPlainGridWritesOnlyItsPlace() {
    TStringAlignGrid grid;
    grid.setCells(1, 1, QStringLiteral("texte"));
    QCOMPARE(propertyNames(writeGridForm(grid)), QStringList({"Left", "Top", "Width", "Height"}));
}

void TestAlignStreamGrid::everyPublishedPropertyComesBack() {
    TStringAlignGrid grid;
    dressUp(grid);
    const GridPlacement placement{12, 34, 560, 78, 5, 2};
    const QByteArray data = writeGridForm(grid, "StringAlignGrid", placement);

    TStringAlignGrid back;
    const GridPlacement read = loadGridForm(back, data);
    QCOMPARE(read.Left.value_or(-1), 12);
    QCOMPARE(read.Align.value_or(-1), 5);
    QCOMPARE(read.TabOrder.value_or(-1), 2);
    QCOMPARE(back.geometry(), QRect(12, 34, 560, 78));
    QCOMPARE(back.ColCount(), 7);
    QCOMPARE(back.RowCount(), 9);
    QCOMPARE(back.FixedCols(), 2);
    QCOMPARE(back.FixedRows(), 0);
    QCOMPARE(back.DefaultColWidth(), 80);
    QCOMPARE(back.DefaultRowHeight(), 20);
    QCOMPARE(back.ColWidths(3), 150);
    QCOMPARE(back.ColWidths(2), 80);
    QCOMPARE(back.RowHeights(8), 40);
    QCOMPARE(back.Options(), grid.Options());
    QCOMPARE(back.Alignment(), alCenter);
    QCOMPARE(back.Editable(), false);
    QCOMPARE(back.FixedColor(), quint32(0x00C0C0C0));
    QCOMPARE(back.GetCellColor(0, 3), quint32(0x00C0C0C0));
    QCOMPARE(back.ShowCellHints, false);
    QCOMPARE(back.SelectedCellColor(), quint32(0x000000FF));
    QCOMPARE(back.SelectedFontColor(), quint32(0x80000008));
    QCOMPARE(back.AutoEditNextCell, true);
    QCOMPARE(back.NextCellEdit, nc_upleft);
    QCOMPARE(back.NextCellTab, nc_downright);
    QCOMPARE(back.AfterLastCellEdit, lc_stop);
    QCOMPARE(back.AfterLastCellTab, lc_newcolrow);
    QCOMPARE(back.DrawSelection, false);
    QCOMPARE(back.Cells(0, 0), QStringLiteral("Coin"));
    QCOMPARE(back.Cells(6, 8), QStringLiteral("Fin → ici"));
    QCOMPARE(back.GetCellAlignment(4, 3), alLeft);
    QCOMPARE(back.GetCellHint(1, 1), QStringLiteral("astuce"));
    QCOMPARE(writeGridForm(back, "StringAlignGrid", placement).toHex(), data.toHex());
}

void TestAlignStreamGrid::aFailedLoadLeavesTheGridAsItWas_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("message");
    QTest::newRow("a font pitch of 3 after good properties") << QByteArray("\x07"
                                                                           "FontCol") +
                                                                    QByteArray::fromHex("01"
                                                                                        "0201"
                                                                                        "0200"
                                                                                        "02f5"
                                                                                        "0600"
                                                                                        "0203"
                                                                                        "0200"
                                                                                        "00")
                                                             << "Valeur de propriété incorrecte";
    QTest::newRow("more fixed columns than columns") << QByteArray("\x09"
                                                                   "FixedCols") +
                                                            QByteArray::fromHex("0209")
                                                     << "Valeur de propriété incorrecte";
    QTest::newRow("no columns at all") << QByteArray("\x08"
                                                     "ColCount") +
                                              QByteArray::fromHex("0200")
                                       << "Valeur de propriété incorrecte";
    QTest::newRow("an alignment the grid does not know")
        << QByteArray("\x09"
                      "Alignment") +
               QByteArray::fromHex("0708") + "alJustif"
        << "Valeur de propriété incorrecte";
    QTest::newRow("an option the grid does not know")
        << QByteArray("\x07"
                      "Options") +
               QByteArray::fromHex("0b06") + "goFast" + QByteArray(1, 0)
        << "Valeur de propriété incorrecte";
    QTest::newRow("a Boolean given as an integer") << QByteArray("\x08"
                                                                 "Editable") +
                                                          QByteArray::fromHex("0201")
                                                   << "Valeur de propriété incorrecte";
    QTest::newRow("a negative column width") << QByteArray("\x09"
                                                           "ColWidths") +
                                                    QByteArray::fromHex("01"
                                                                        "02ff"
                                                                        "00")
                                             << "Valeur de propriété incorrecte";
    QTest::newRow("a value kind beyond the known ones")
        << QByteArray("\x04"
                      "Tag1") +
               QByteArray::fromHex("2a")
        << "Format de flux incorrect : type de valeur inconnu (42)";
}

void TestAlignStreamGrid::aFailedLoadLeavesTheGridAsItWas() {
    QFETCH(QByteArray, property);
    QFETCH(QString, message);
    TStringAlignGrid source;
    dressUp(source);
    source.setColCount(9); // the stream's counts differ from the target's
    source.setCells(8, 0, QStringLiteral("neuf"));

    TStringAlignGrid grid;
    dressUp(grid);
    const QByteArray before = writeGridForm(grid);
    QCOMPARE(gridtest::streamFailureOf([&] { loadGridForm(grid, withExtra(source, property)); }),
             message);
    QCOMPARE(writeGridForm(grid).toHex(), before.toHex());
    QCOMPARE(grid.Cells(6, 8), QStringLiteral("Fin → ici"));
}

void TestAlignStreamGrid::everyCutOfTheFormFailsAndChangesNothing() {
    TStringAlignGrid source;
    dressUp(source);
    source.Settings().SetEditCell(2, 2, false);
    aligngrid::TMyFont font;
    font.setName("Arial");
    source.Settings().SetFontCell(1, 2, font);
    const QByteArray data = writeGridForm(source);

    TStringAlignGrid grid;
    const QByteArray before = writeGridForm(grid);
    for (qsizetype cut = 0; cut < data.size(); ++cut) {
        const QString message =
            gridtest::streamFailureOf([&] { loadGridForm(grid, data.left(cut)); });
        QVERIFY2(!message.isEmpty(), qPrintable(QStringLiteral("cut at %1").arg(cut)));
    }
    QCOMPARE(writeGridForm(grid).toHex(), before.toHex());
}

void TestAlignStreamGrid::afterLoadTheTextsAreExactlyThoseRead() {
    TStringAlignGrid grid;
    grid.setCells(2, 2, QStringLiteral("ancien"));
    // Cells for (1, 1) and for column 7 of the 5-column grid.
    const QByteArray cells = QByteArray("\x05"
                                        "Cells") +
                             QByteArray::fromHex("01"
                                                 "0201"
                                                 "0201"
                                                 "0601") +
                             "a" +
                             QByteArray::fromHex("0207"
                                                 "0201"
                                                 "0601") +
                             "b" + QByteArray(1, 0);
    format::FormWriter form;
    form.beginObject(gridClassName, "G");
    std::string data = form.take();
    data.append(cells.constData(), std::size_t(cells.size()));
    data.append(2, '\0');
    loadGridForm(grid, QByteArray::fromStdString(data));
    QCOMPARE(grid.Cells(1, 1), QStringLiteral("a"));
    QCOMPARE(grid.Cells(2, 2), QString());
    grid.setColCount(8);
    QCOMPARE(grid.Cells(7, 1), QString());
}

void TestAlignStreamGrid::afterLoadTheEditorFollowsAlwaysShowEditor() {
    TStringAlignGrid source;
    source.setOptions(stringgrid::defaultGridOptions() | GridOption::goEditing |
                      GridOption::goAlwaysShowEditor);
    TStringAlignGrid grid;
    int beforeEdits = 0;
    grid.OnBeforeEdit = [&beforeEdits](TStringAlignGrid*, int, int) { ++beforeEdits; };
    loadGridForm(grid, writeGridForm(source));
    QVERIFY(grid.EditorWasOpen());
    QVERIFY(!grid.EditorMode());
    // Loading begins no edit: the editor comes back, and its edit begins, on the first focus.
    QCOMPARE(beforeEdits, 0);
    QVERIFY(!grid.Editing());
    QVERIFY(!grid.Editor() || !grid.Editor()->Started);

    TStringAlignGrid plain;
    loadGridForm(plain, writeGridForm(TStringAlignGrid()));
    QVERIFY(!plain.EditorWasOpen());
}

void TestAlignStreamGrid::otherWritersFormsAreRead() {
    // A dialog holding the grid, with published properties this program does not use and
    // colours given by name.
    format::FormWriter form;
    format::ComponentWriter& out = form.stream();
    form.beginObject("TFormDebitDlg", "FormDebitDlg");
    out.writePropName("Caption");
    out.writeString("Fiche de débit");
    form.endProperties();
    form.beginObject(gridClassName, "StringAlignGrid");
    out.writePropName("DefaultDrawing");
    out.writeBoolean(true);
    out.writePropName("Font.Name");
    out.writeString("MS Sans Serif");
    out.writePropName("OnDrawCell");
    out.writeIdent("StringAlignGridDrawCell");
    out.writePropName("FixedColor");
    out.writeIdent("clInfoBk");
    out.writePropName("ColCount");
    out.writeInteger(3);
    form.endProperties();
    form.endObject();
    form.endObject();
    TStringAlignGrid grid;
    loadGridForm(grid, QByteArray::fromStdString(form.take()));
    QCOMPARE(grid.ColCount(), 3);
    QCOMPARE(grid.FixedColor(), quint32(0x80000018));
}

QTEST_MAIN(TestAlignStreamGrid)
#include "tst_alignstreamgrid.moc"
