// The grid's defined stream properties against the settings model alone: no widget.

#include "aligngrid/gridtestsupport.h"
#include "format/componentstreamwriter.h"
#include "format/formdata.h"
#include "widgets/aligngrid/model/alignsettings.h"
#include "widgets/aligngrid/model/alignsettingsdiff.h"
#include "widgets/aligngrid/model/alignstreamdata.h"
#include "widgets/aligngrid/model/alignstreamsettings.h"

#include <QTest>
#include <map>
#include <random>
#include <utility>

using namespace aligngrid;
using gridtest::TestShape;

namespace {

struct Texts : CellTextSource {
    std::map<std::pair<int, int>, std::string> cells;
    std::string text(int col, int row) const override {
        const auto it = cells.find({col, row});
        return it == cells.end() ? std::string() : it->second;
    }
};

// A grid's settings and texts, of a given size.
struct Model {
    explicit Model(int cols = 5, int rows = 6) {
        shape.cols = cols;
        shape.rows = rows;
    }
    TestShape shape;
    AlignSettings settings{shape};
    Texts texts;

    // The defined properties as written, without any framing.
    QByteArray written() const {
        format::ComponentWriter out;
        writeDefinedProperties(settings, shape.cols, shape.rows, texts, out);
        return QByteArray::fromStdString(out.data());
    }

    // Reads defined properties (as written) into this model, the after-load step included.
    void read(const QByteArray& properties) {
        format::FormWriter form;
        form.beginObject(std::string(gridClassName), "StringAlignGrid");
        std::string data = form.take();
        data.append(properties.constData(), std::size_t(properties.size()));
        data.append(2, '\0');
        GridFormData decoded = decodeGridForm(data);
        StreamTexts read;
        applyDefinedProperties(settings, std::move(decoded.defined), read);
        texts.cells.clear();
        for (auto& item : read.take()) {
            if (item.col < shape.cols && item.row < shape.rows) {
                texts.cells[{item.col, item.row}] = item.value;
            }
        }
    }
};

QByteArray name(const char* text) {
    return QByteArray(1, char(qstrlen(text))) + text;
}

// Every effective setting of every cell, as one comparable text.
QString effective(const Model& m) {
    QString out;
    const AlignSettings& s = m.settings;
    for (int col = 0; col < m.shape.cols; ++col) {
        for (int row = 0; row < m.shape.rows; ++row) {
            const TMyFont& font = s.GetCellFont(col, row);
            const TMyBrush& brush = s.GetCellBrush(col, row);
            out += QStringLiteral("(%1,%2) a%3 e%4 f%5/%6/%7/%8/%9 b%10/%11 s%12 h%13 t%14\n")
                       .arg(col)
                       .arg(row)
                       .arg(int(s.GetCellAlignment(col, row)))
                       .arg(int(s.IsCellEditable(col, row)))
                       .arg(font.Color())
                       .arg(font.Height())
                       .arg(QString::fromStdString(font.Name()))
                       .arg(int(font.Pitch()))
                       .arg(int(font.Style()))
                       .arg(brush.Color())
                       .arg(int(brush.Style()))
                       .arg(s.GetSelectedCellColor(col, row))
                       .arg(QString::fromStdString(s.GetCellHint(col, row)))
                       .arg(QString::fromStdString(m.texts.text(col, row)));
        }
    }
    return out;
}

} // namespace

class TestAlignStream : public QObject {
    Q_OBJECT

private slots:
    void aGridWithNoSettingsWritesNothing();
    void alignColIsOneIndexRecord();
    void cellRecordsAreReadUntilTheBlockEnds();
    void blocksOfBrokenRecordsFail_data();
    void blocksOfBrokenRecordsFail();
    void aChangedFontIsWrittenAsItsFiveValues();
    void onlyChangedObjectsAreWritten();
    void fontStyleKeepsItsLowEightBits();
    void colorPropertiesMakeBrushesThatSurvive();
    void cellsHoldTheirTextsByColumnThenRow();
    void listIndicesWrapAtSixteenBits();
    void entriesBeyondSixteenBitsAreNeverWritten();
    void flagsAfterReading_data();
    void flagsAfterReading();
    void valuesOfTheWrongKindFail_data();
    void valuesOfTheWrongKindFail();
    void anyStateSurvivesAWriteAndRead();
    void aLostSettingIsNamedByItsTable();
};

void TestAlignStream::aGridWithNoSettingsWritesNothing() {
    Model m;
    m.texts.cells[{1, 1}] = "Longueur";
    QCOMPARE(m.written(), QByteArray());
}

void TestAlignStream::alignColIsOneIndexRecord() {
    Model m;
    m.settings.SetAlignCol(4, alLeft);
    QCOMPARE(m.written().toHex(),
             (name("AlignCol") + QByteArray::fromHex("0a03000000040001")).toHex());
}

void TestAlignStream::cellRecordsAreReadUntilTheBlockEnds() {
    Model m;
    m.read(name("AlignCell") + QByteArray::fromHex("0a0a000000"
                                                   "0100020002"
                                                   "0300010000"));
    QCOMPARE(m.settings.GetCellAlignment(1, 2), alCenter);
    QCOMPARE(m.settings.GetCellAlignment(3, 1), alRight);

    Model again;
    again.read(name("AlignCell") + QByteArray::fromHex("0a0a000000"
                                                       "0100020002"
                                                       "0100020001"));
    QCOMPARE(again.settings.GetCellAlignment(1, 2), alLeft);
    QCOMPARE(again.written().toHex(), (name("AlignCell") + QByteArray::fromHex("0a05000000"
                                                                               "0100020001"))
                                          .toHex());
}

void TestAlignStream::blocksOfBrokenRecordsFail_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("message");
    QTest::newRow("a cell block of 7 bytes")
        << name("EditCell") + QByteArray::fromHex("0a07000000"
                                                  "01000100"
                                                  "01"
                                                  "0000")
        << "Bloc de données incorrect pour EditCell : 7 octets ne font pas un nombre entier "
           "d'enregistrements de 5 octets";
    QTest::newRow("an index block of 4 bytes")
        << name("AlignRow") + QByteArray::fromHex("0a04000000"
                                                  "01000200")
        << "Bloc de données incorrect pour AlignRow : 4 octets ne font pas un nombre entier "
           "d'enregistrements de 3 octets";
    QTest::newRow("an alignment beyond alCenter")
        << name("AlignCol") + QByteArray::fromHex("0a03000000"
                                                  "010003")
        << "Valeur de propriété incorrecte";
    QTest::newRow("an editability that is not 0 or 1")
        << name("EditCol") + QByteArray::fromHex("0a03000000"
                                                 "010002")
        << "Valeur de propriété incorrecte";
    QTest::newRow("a block longer than the data")
        << name("AlignCol") + QByteArray::fromHex("0a06000000"
                                                  "010001")
        << "Erreur de lecture du flux : données tronquées";
}

void TestAlignStream::blocksOfBrokenRecordsFail() {
    QFETCH(QByteArray, property);
    QFETCH(QString, message);
    Model m;
    m.settings.SetAlignCol(2, alCenter);
    QCOMPARE(gridtest::streamFailureOf([&] { m.read(property); }), message);
    QCOMPARE(m.settings.GetCellAlignment(2, 2), alCenter);
}

void TestAlignStream::aChangedFontIsWrittenAsItsFiveValues() {
    Model m;
    TMyFont font;
    font.setColor(0xFF);
    font.setHeight(-13);
    font.setName("Arial");
    font.setPitch(fpDefault);
    font.setStyle(fsBold);
    m.settings.SetFontCol(3, font);
    const QByteArray expected = name("FontCol") +
                                QByteArray::fromHex("01"
                                                    "0203"
                                                    "03ff00"
                                                    "02f3") +
                                QByteArray::fromHex("0605") + "Arial" +
                                QByteArray::fromHex("0200"
                                                    "0201"
                                                    "00");
    QCOMPARE(m.written().toHex(), expected.toHex());

    Model back;
    back.read(m.written());
    QVERIFY(back.settings.GetCellFont(3, 2).sameAttributes(font));
    QVERIFY(back.settings.GetCellFont(3, 2).Changed());
}

void TestAlignStream::onlyChangedObjectsAreWritten() {
    Model m;
    m.settings.SetBrushRow(2, TMyBrush());
    m.settings.SetBrushRow(3, TMyBrush());
    m.settings.BrushRow().find(2)->get()->setChangedFlag(false);
    const QByteArray expected = name("BrushRow") + QByteArray::fromHex("01"
                                                                       "0203"
                                                                       "04ffffff00"
                                                                       "0200"
                                                                       "00");
    QCOMPARE(m.written().toHex(), expected.toHex());
}

void TestAlignStream::fontStyleKeepsItsLowEightBits() {
    Model m;
    m.read(name("FontCell") +
           QByteArray::fromHex("01"
                               "0201"
                               "0202"
                               "0200"
                               "02f5") +
           QByteArray::fromHex("0600") +
           QByteArray::fromHex("0202"
                               "030101"
                               "00"));
    const TMyFont& font = m.settings.GetCellFont(1, 2);
    QCOMPARE(int(font.Style()), int(fsBold));
    QCOMPARE(int(font.Pitch()), int(fpFixed));
    QCOMPARE(font.Height(), -11);
    QCOMPARE(font.Name(), std::string());
}

void TestAlignStream::colorPropertiesMakeBrushesThatSurvive() {
    Model m;
    m.shape.color = 0x123456;
    m.read(name("ColorCol") + QByteArray::fromHex("01"
                                                  "0202"
                                                  "04ff000000"
                                                  "00"));
    const TMyBrush& brush = m.settings.GetCellBrush(2, 3);
    QCOMPARE(brush.Color(), TColor(255));
    QCOMPARE(brush.Style(), m.settings.Brush().Style());
    QCOMPARE(m.settings.GetCellColor(2, 0), m.shape.fixedColor);
    QCOMPARE(m.settings.GetCellColor(1, 3), TColor(0x123456));

    // The colour is written as the column's brush, so it comes back.
    Model back;
    back.read(m.written());
    QCOMPARE(back.settings.GetCellColor(2, 3), TColor(255));

    // A colour for a brush the stream already gave changes only that brush's colour.
    Model styled;
    styled.read(name("BrushFixedRow") +
                QByteArray::fromHex("01"
                                    "0200"
                                    "0200"
                                    "0206"
                                    "00") +
                name("ColorFixedRow") +
                QByteArray::fromHex("01"
                                    "0200"
                                    "04ff000000"
                                    "00"));
    QCOMPARE(styled.settings.GetCellBrush(3, 0).Color(), TColor(255));
    QCOMPARE(styled.settings.GetCellBrush(3, 0).Style(), bsCross);
}

void TestAlignStream::cellsHoldTheirTextsByColumnThenRow() {
    Model m;
    m.texts.cells[{0, 1}] = "Grand Montant";
    m.texts.cells[{1, 0}] = "Longueur";
    m.texts.cells[{4, 5}] = "embr\xC3\xA8vement";
    m.settings.SetFlag(StoredTable::Cells, true);
    const QByteArray expected = name("Cells") +
                                QByteArray::fromHex("01"
                                                    "0200"
                                                    "0201"
                                                    "060d") +
                                "Grand Montant" +
                                QByteArray::fromHex("0201"
                                                    "0200"
                                                    "0608") +
                                "Longueur" +
                                QByteArray::fromHex("0204"
                                                    "0205"
                                                    "060b") +
                                "embr\xE8vement" + QByteArray(1, 0);
    QCOMPARE(m.written().toHex(), expected.toHex());

    Model back;
    back.read(m.written());
    QCOMPARE(back.texts.cells, m.texts.cells);
    QVERIFY(back.settings.Flag(StoredTable::Cells));
}

void TestAlignStream::listIndicesWrapAtSixteenBits() {
    Model m;
    // Column 65537 and row -65535 (as a 4-byte integer) are column 1 and row 1.
    m.read(name("HintCell") +
           QByteArray::fromHex("01"
                               "0401000100"
                               "0401000000") +
           QByteArray::fromHex("0601") + "h" + QByteArray(1, 0));
    QCOMPARE(m.settings.GetCellHint(1, 1), std::string("h"));
}

void TestAlignStream::entriesBeyondSixteenBitsAreNeverWritten() {
    Model m(3, 70000);
    m.settings.SetAlignRow(65538, alCenter);
    m.settings.SetHintCell(1, 65537, "far");
    m.settings.SetAlignCell(2, 65536, alCenter);
    m.settings.SetAlignRow(2, alLeft);
    m.texts.cells[{1, 65537}] = "far";
    m.settings.SetFlag(StoredTable::Cells, true);

    Model back(3, 70000);
    back.read(m.written());
    QCOMPARE(back.settings.GetCellAlignment(1, 2), alLeft);
    QCOMPARE(back.settings.GetCellAlignment(2, 0), alLeft);
    QCOMPARE(back.settings.GetCellHint(1, 1), std::string());
    QCOMPARE(back.texts.text(1, 1), std::string());
    // Lost rather than misplaced: the far entries are simply absent.
    QCOMPARE(back.settings.GetCellAlignment(1, 65538), alLeft);
    QCOMPARE(back.settings.GetCellHint(1, 65537), std::string());
}

void TestAlignStream::flagsAfterReading_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("table");
    QTest::addColumn<bool>("flag");
    const QByteArray emptyBlock = QByteArray::fromHex("0a00000000");
    const QByteArray emptyList = QByteArray::fromHex("0100");
    QTest::newRow("an empty AlignCol clears its flag")
        << name("AlignCol") + emptyBlock << int(StoredTable::AlignCol) << false;
    QTest::newRow("an empty FontRow clears its flag")
        << name("FontRow") + emptyList << int(StoredTable::FontRow) << false;
    QTest::newRow("an empty SelectedColorCol clears its flag")
        << name("SelectedColorCol") + emptyList << int(StoredTable::SelectedColorCol) << false;
    QTest::newRow("an empty AlignCell keeps its flag")
        << name("AlignCell") + emptyBlock << int(StoredTable::AlignCell) << true;
    QTest::newRow("an empty HintCell keeps its flag")
        << name("HintCell") + emptyList << int(StoredTable::HintCell) << true;
    QTest::newRow("an empty SelectedColorCell keeps its flag")
        << name("SelectedColorCell") + emptyList << int(StoredTable::SelectedColorCell) << true;
}

void TestAlignStream::flagsAfterReading() {
    QFETCH(QByteArray, property);
    QFETCH(int, table);
    QFETCH(bool, flag);
    Model m;
    m.settings.SetFlag(StoredTable(table), true);
    m.read(property);
    QCOMPARE(m.settings.Flag(StoredTable(table)), flag);
    Model fresh;
    fresh.read(property);
    QCOMPARE(fresh.settings.Flag(StoredTable(table)), false);
}

void TestAlignStream::valuesOfTheWrongKindFail_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::newRow("a list where AlignCol's block belongs")
        << name("AlignCol") + QByteArray::fromHex("0100");
    QTest::newRow("a text where a Cells column belongs")
        << name("Cells") + QByteArray::fromHex("01"
                                               "060131"
                                               "0201"
                                               "0600"
                                               "00");
    QTest::newRow("a Cells item without its text") << name("Cells") + QByteArray::fromHex("01"
                                                                                          "0201"
                                                                                          "0201"
                                                                                          "00");
    QTest::newRow("an 8-byte integer as a colour")
        << name("SelectedColorRow") + QByteArray::fromHex("01"
                                                          "0201"
                                                          "130100000000000000"
                                                          "00");
    QTest::newRow("a brush style beyond bsDiagCross")
        << name("BrushCol") + QByteArray::fromHex("01"
                                                  "0201"
                                                  "0200"
                                                  "0208"
                                                  "00");
    QTest::newRow("a font pitch beyond fpFixed") << name("FontCol") + QByteArray::fromHex("01"
                                                                                          "0201"
                                                                                          "0200"
                                                                                          "02f5"
                                                                                          "0600"
                                                                                          "0203"
                                                                                          "0200"
                                                                                          "00");
    QTest::newRow("an unknown colour name") << name("ColorRow") +
                                                   QByteArray::fromHex("01"
                                                                       "0201"
                                                                       "0706") +
                                                   "clPink" + QByteArray(1, 0);
}

void TestAlignStream::valuesOfTheWrongKindFail() {
    QFETCH(QByteArray, property);
    Model m;
    QCOMPARE(gridtest::streamFailureOf([&] { m.read(property); }),
             QStringLiteral("Valeur de propriété incorrecte"));
}

void TestAlignStream::anyStateSurvivesAWriteAndRead() {
    std::mt19937 random(20261207);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    for (int round = 0; round < 40; ++round) {
        const int cols = 1 + pick(8);
        const int rows = 1 + pick(8);
        Model m(cols, rows);
        m.shape.fixedCols = pick(cols);
        m.shape.fixedRows = pick(rows);
        m.shape.color = random() & 0xFFFFFF;
        AlignSettings& s = m.settings;
        // Indices run a little beyond the grid: such entries are lost, as documented.
        const auto col = [&] { return pick(cols + 2); };
        const auto row = [&] { return pick(rows + 2); };
        const auto align = [&] { return TMyAlign(pick(3)); };
        for (int n = pick(6); n > 0; --n) {
            s.SetAlignCell(col(), row(), align());
            s.SetAlignCol(col(), align());
            s.SetAlignRow(row(), align());
            s.SetFixedAlignCol(col(), align());
            s.SetFixedAlignRow(row(), align());
            s.SetEditCell(col(), row(), pick(2));
            s.SetEditCol(col(), pick(2));
            s.SetEditRow(row(), pick(2));
            s.SetHintCell(col(), row(), "astuce \xE2\x86\x92 " + std::to_string(pick(1000)));
            s.SetSelectedColorCell(col(), row(), random());
            s.SetSelectedColorCol(col(), random());
            s.SetSelectedColorRow(row(), random());
            TMyFont font;
            font.setColor(random());
            font.setHeight(pick(40) - 20);
            font.setName(pick(2) ? "Arial" : "Times New Roman \xC3\xA9");
            font.setPitch(TFontPitch(pick(3)));
            font.setStyle(TFontStyles(pick(16)));
            switch (pick(5)) {
            case 0:
                s.SetFontCell(col(), row(), font);
                break;
            case 1:
                s.SetFontCol(col(), font);
                break;
            case 2:
                s.SetFontRow(row(), font);
                break;
            case 3:
                s.SetFontFixedCol(col(), font);
                break;
            default:
                s.SetFontFixedRow(row(), font);
                break;
            }
            TMyBrush brush;
            brush.setColor(random());
            brush.setStyle(TBrushStyle(pick(8)));
            switch (pick(5)) {
            case 0:
                s.SetBrushCell(col(), row(), brush);
                break;
            case 1:
                s.SetBrushCol(col(), brush);
                break;
            case 2:
                s.SetBrushRow(row(), brush);
                break;
            case 3:
                s.SetBrushFixedCol(col(), brush);
                break;
            default:
                s.SetBrushFixedRow(row(), brush);
                break;
            }
            s.BrushColEntry(col()).setColor(random() & 0xFFFFFF);
            m.texts.cells[{pick(cols), pick(rows)}] = pick(3) ? "16" : std::string(300, 'x');
        }
        s.SetFlag(StoredTable::Cells, true);
        s.SetFlag(StoredTable::BrushCol, true);

        Model back(cols, rows);
        back.shape = m.shape;
        back.read(m.written());
        QCOMPARE(effective(back), effective(m));
        QCOMPARE(QString::fromStdString(streamedDifference(m.settings, back.settings, cols, rows)),
                 QString());
        // Once the entries beyond the grid are gone, a second trip writes the same bytes.
        Model twice(cols, rows);
        twice.shape = m.shape;
        twice.read(back.written());
        QCOMPARE(twice.written().toHex(), back.written().toHex());
    }
}

void TestAlignStream::aLostSettingIsNamedByItsTable() {
    Model m;
    m.settings.SetAlignCol(4, alLeft);
    m.settings.SetAlignCol(9, alLeft); // beyond the grid: not written, not missed
    Model back;
    back.read(m.written());
    QCOMPARE(QString::fromStdString(streamedDifference(m.settings, back.settings, 5, 6)),
             QString());
    back.settings.AlignCol().store(4, alRight);
    back.settings.SetFlag(StoredTable::EditCol, true);
    QCOMPARE(QString::fromStdString(streamedDifference(m.settings, back.settings, 5, 6)),
             QStringLiteral("AlignCol: 4,0 differs\nEditCol flag: true\n"));
}

QTEST_APPLESS_MAIN(TestAlignStream)
#include "tst_alignstream.moc"
