// The cutting-list grid as its form data defines it.

#include "format/componentstreamreader.h"
#include "format/formdata.h"
#include "resources/resources.h"
#include "widgets/aligngrid/alignstream.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QFile>
#include <QTest>

using namespace aligngrid;

namespace {

const QString kResource = QStringLiteral(":/forms/debitgrid.frm");

QByteArray resourceBytes() {
    QFile file(kResource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QByteArray text(const char* latin1) {
    const QByteArray bytes(latin1);
    return QByteArray(1, char(bytes.size())) + bytes;
}

} // namespace

class TestDebitForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { resources::load(); }
    void cellsHoldExactlyTheListedBytes();
    void theLoadedGridHasItsShape();
    void theLoadedGridHasItsTexts_data();
    void theLoadedGridHasItsTexts();
    void writingTheLoadedGridGivesTheSameBytes();
    void aMissingResourceFails();
};

void TestDebitForm::cellsHoldExactlyTheListedBytes() {
    const QByteArray data = resourceBytes();
    QVERIFY(!data.isEmpty());
    const std::string_view view(data.constData(), std::size_t(data.size()));
    const format::FormObject root = format::parseForm(view);
    QCOMPARE(root.className, std::string("TStringAlignGrid"));
    QCOMPARE(root.name, std::string("StringAlignGrid"));
    std::string_view cells;
    for (const format::FormProperty& property : root.properties) {
        if (property.name == "Cells") {
            cells = property.value;
        }
    }
    // Column, row and text of each item, in order; the texts in the code page.
    const QByteArray items[][3] = {{"0", "1", "Grand Montant"},
                                   {"0", "2", "Petit Montant"},
                                   {"0", "3", "Traverse Droite"},
                                   {"0", "4", "Traverse Oblique"},
                                   {"0", "5", "Panneau"},
                                   {"1", "0", "Longueur"},
                                   {"2", "0", "Largeur"},
                                   {"3", "0", "Epaisseur"},
                                   {"3", "5", "16"},
                                   {"4", "0", "Remarque"},
                                   {"4", "5",
                                    "Dimensions calcul\xE9"
                                    "es pour un embr\xE8vement de 15 mm et pour un seul "
                                    "panneau"}};
    QByteArray expected("\x01");
    for (const auto& item : items) {
        expected += QByteArray("\x02") + char(item[0].toInt()) + "\x02" + char(item[1].toInt()) +
                    "\x06" + text(item[2].constData());
    }
    expected += QByteArray(1, '\0');
    QCOMPARE(QByteArray(cells.data(), qsizetype(cells.size())).toHex(), expected.toHex());
    const QByteArray opening = QByteArray::fromHex("0102000201060d") + "Grand Montant" +
                               QByteArray::fromHex("02000202060d") + "Petit Montant";
    QVERIFY(expected.startsWith(opening));
    // The property itself: its name, then that value.
    QVERIFY(data.contains(QByteArray("\x05"
                                     "Cells") +
                          expected));
}

void TestDebitForm::theLoadedGridHasItsShape() {
    TStringAlignGrid grid;
    const GridPlacement placement = loadGridFormResource(grid, kResource);
    QCOMPARE(grid.ColCount(), 5);
    QCOMPARE(grid.RowCount(), 6);
    QCOMPARE(grid.FixedCols(), 1);
    QCOMPARE(grid.FixedRows(), 1);
    QCOMPARE(grid.DefaultColWidth(), 100);
    QCOMPARE(grid.DefaultRowHeight(), 24);
    const int widths[] = {100, 71, 65, 55, 422};
    for (int col = 0; col < 5; ++col) {
        QCOMPARE(grid.ColWidths(col), widths[col]);
    }
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(grid.RowHeights(row), 24);
    }
    QCOMPARE(grid.Alignment(), alRight);
    QCOMPARE(grid.Options(), stringgrid::defaultGridOptions());
    QCOMPARE(grid.GetCellAlignment(2, 2), alRight);
    QCOMPARE(placement.Align.value_or(-1), 5); // alClient
    QCOMPARE(placement.TabOrder.value_or(-1), 1);
    QCOMPARE(grid.geometry(), QRect(0, 33, 721, 163));
}

void TestDebitForm::theLoadedGridHasItsTexts_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    const QString texts[5][6] = {
        {"", "Grand Montant", "Petit Montant", "Traverse Droite", "Traverse Oblique", "Panneau"},
        {"Longueur", "", "", "", "", ""},
        {"Largeur", "", "", "", "", ""},
        {"Epaisseur", "", "", "", "", "16"},
        {"Remarque", "", "", "", "",
         QStringLiteral("Dimensions calculées pour un embrèvement de 15 mm et pour un seul "
                        "panneau")}};
    for (int col = 0; col < 5; ++col) {
        for (int row = 0; row < 6; ++row) {
            QTest::addRow("cell (%d, %d)", col, row) << col << row << texts[col][row];
        }
    }
}

void TestDebitForm::theLoadedGridHasItsTexts() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QString, text);
    TStringAlignGrid grid;
    loadGridFormResource(grid, kResource);
    QCOMPARE(grid.Cells(col, row), text);
}

void TestDebitForm::writingTheLoadedGridGivesTheSameBytes() {
    TStringAlignGrid grid;
    const GridPlacement placement = loadGridFormResource(grid, kResource);
    QCOMPARE(writeGridForm(grid, "StringAlignGrid", placement).toHex(), resourceBytes().toHex());
}

void TestDebitForm::aMissingResourceFails() {
    TStringAlignGrid grid;
    try {
        loadGridFormResource(grid, ":/forms/none.frm");
        QFAIL("a missing resource was read");
    } catch (const format::StreamError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("Données de fiche introuvables : :/forms/none.frm"));
    }
    QCOMPARE(grid.ColCount(), 5);
}

QTEST_MAIN(TestDebitForm)
#include "tst_debitform.moc"
