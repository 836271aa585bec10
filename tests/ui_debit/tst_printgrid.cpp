#include "platform/messagebox.h"
#include "print/printer.h"
#include "tests/support/testservices.h"
#include "ui/debit/printgrid.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QApplication>
#include <QTest>

using print::PrinterError;
using testsupport::CanvasCall;
using testsupport::RecordingPrinterDevice;
using Kind = CanvasCall::Kind;

namespace {

// A grid of fixed texts, as printing sees it.
class FakeGrid : public PrintableGrid {
public:
    FakeGrid(QList<int> widths, int rows, int screenWidth)
        : widths_(std::move(widths)), rows_(rows), screenWidth_(screenWidth) {}
    int colCount() const override { return static_cast<int>(widths_.size()); }
    int rowCount() const override { return rows_; }
    int colWidth(int col) const override { return widths_.value(col); }
    QString cell(int col, int row) const override { return cells_.value({col, row}); }
    int screenWidth() const override { return screenWidth_; }
    QFont font() const override {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(11);
        return font;
    }
    void setCell(int col, int row, const QString& text) { cells_[{col, row}] = text; }

private:
    QList<int> widths_;
    int rows_;
    int screenWidth_;
    QMap<QPair<int, int>, QString> cells_;
};

// The cutting list at its design size, with the texts a calculation leaves in it.
FakeGrid cuttingList() {
    FakeGrid grid({100, 71, 65, 55, 422}, 6, 721);
    const QStringList heads{"", "Longueur", "Largeur", "Epaisseur", "Remarque"};
    const QStringList pieces{"Grand Montant", "Petit Montant", "Traverse Droite",
                             "Traverse Oblique", "Panneau"};
    for (int c = 1; c < 5; ++c) {
        grid.setCell(c, 0, heads[c]);
    }
    for (int r = 1; r < 6; ++r) {
        grid.setCell(0, r, pieces[r - 1]);
        grid.setCell(1, r, QString::number(1000 + r));
        grid.setCell(2, r, QStringLiteral("70"));
    }
    grid.setCell(3, 5, QStringLiteral("16"));
    grid.setCell(4, 5,
                 QStringLiteral("Dimensions calculées pour un embrèvement de 15 mm et "
                                "pour un seul panneau"));
    return grid;
}

const PrintDate sixDecember{QLocale(QLocale::French, QLocale::France), QDate(2026, 12, 6)};

} // namespace

class TestPrintGrid : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanupTestCase();
    void dateLineFollowsTheShortFormat_data();
    void dateLineFollowsTheShortFormat();
    void columnPositions_data();
    void columnPositions();
    void workedExampleHoldsToThePixel();
    void headerIsBoldOnSilverAndBodyRegularOnWhite();
    void headerOnlyGridPrintsOnePage();
    void singleColumnSpansMarginToRightEdge();
    void rowReachingTheLimitClosesThePage_data();
    void rowReachingTheLimitClosesThePage();
    void wideGridKeepsColumnsApart();
    void stringGridIsReadThroughItsAccessors();
    void busyCursorWhilePrintingOnly();
    void missingPrinterPrintsNothing();
    void failureDuringTheJobClosesIt();
    void openJobMakesPrintingFail();
    void printButtonAsksThenPrints_data();
    void printButtonAsksThenPrints();
    void printButtonShowsFailureInErrorBox();

private:
    QStringList lines() const { return device_->recorder().described({Kind::Line}); }
    QStringList texts() const { return device_->recorder().described({Kind::Text}); }

    std::unique_ptr<testsupport::TestServices> services_;
    RecordingPrinterDevice* device_ = nullptr; // the services' own
    QList<platform::BoxRequest> boxes_;
};

void TestPrintGrid::init() {
    services_ = std::make_unique<testsupport::TestServices>();
    device_ = &services_->device;
    device_->recorder().setMetrics(80, 40, 44);
    boxes_.clear();
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request);
        return platform::BoxAnswer::Ok;
    });
}

void TestPrintGrid::cleanup() {
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestPrintGrid::cleanupTestCase() {
    services_.reset();
    platform::setBoxResponder({});
}

void TestPrintGrid::dateLineFollowsTheShortFormat_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("line");
    QTest::newRow("a French user reads day/month/four-digit year")
        << QLocale(QLocale::French, QLocale::France) << QDate(2026, 12, 6)
        << "Imprimé le 06/12/2026";
    QTest::newRow("an American user reads month/day/year")
        << QLocale(QLocale::English, QLocale::UnitedStates) << QDate(2026, 12, 6)
        << "Imprimé le 12/6/26";
    QTest::newRow("a German user reads dots")
        << QLocale(QLocale::German, QLocale::Germany) << QDate(2027, 1, 2) << "Imprimé le 02.01.27";
}

void TestPrintGrid::dateLineFollowsTheShortFormat() {
    QFETCH(QLocale, locale);
    QFETCH(QDate, date);
    QFETCH(QString, line);
    QCOMPARE(dateLine(date, locale), line);
}

void TestPrintGrid::columnPositions_data() {
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<QList<int>>("positions");
    const QList<int> cutting{100, 71, 65, 55, 422};
    QTest::newRow("the cutting list at design size scales by 6")
        << cutting << 721 << 4800 << QList<int>{192, 792, 1218, 1608, 1938};
    QTest::newRow("the remainder of the division is dropped")
        << cutting << 721 << 5000 << QList<int>{192, 792, 1218, 1608, 1938};
    QTest::newRow("a page as wide as the grid scales by 1")
        << cutting << 721 << 721 << QList<int>{192, 292, 363, 428, 483};
    QTest::newRow("a grid wider than the page is scaled down in order")
        << cutting << 1442 << 721 << QList<int>{192, 242, 277, 310, 337};
    QTest::newRow("one column starts at the margin")
        << QList<int>{400} << 721 << 4800 << QList<int>{192};
    QTest::newRow("no columns, no positions") << QList<int>{} << 721 << 4800 << QList<int>{};
    QTest::newRow("a grid with no width on screen keeps its pixels")
        << QList<int>{10, 20, 30} << 0 << 4800 << QList<int>{192, 202, 222};
}

void TestPrintGrid::columnPositions() {
    QFETCH(QList<int>, widths);
    QFETCH(int, gridWidth);
    QFETCH(int, pageWidth);
    QFETCH(QList<int>, positions);
    QCOMPARE(::columnPositions(widths, gridWidth, pageWidth, 192), positions);
}

void TestPrintGrid::workedExampleHoldsToThePixel() {
    PrintGrid(services_->printer, cuttingList(), QStringLiteral("Impression Débit"),
              QStringLiteral("Fiche de Débit"), sixDecember);
    QCOMPARE(device_->log(), QStringList({"select", "begin \"Impression Débit\"", "end"}));
    QCOMPARE(services_->printer.title(), QStringLiteral("Impression Débit"));

    // Header band from 384 to 504, a rule under each of the six rows, the last at 1104, then
    // the column rules at 192, 792, 1218, 1608, 1938 and the right edge 4608.
    QCOMPARE(device_->recorder().described({Kind::Fill}),
             QStringList({"fill 192,384 4608,504 #c0c0c0"}));
    QCOMPARE(
        lines(),
        QStringList({"line 192,384 4608,384", "line 192,504 4608,504", "line 192,624 4608,624",
                     "line 192,744 4608,744", "line 192,864 4608,864", "line 192,984 4608,984",
                     "line 192,1104 4608,1104", "line 192,384 192,1104", "line 792,384 792,1104",
                     "line 1218,384 1218,1104", "line 1608,384 1608,1104",
                     "line 1938,384 1938,1104", "line 4608,384 4608,1104"}));

    const QStringList printed = texts();
    // Title at the margins; the bold date line (21 characters of 44 pixels) ends at the edge.
    QCOMPARE(printed.value(0), QStringLiteral("text 192,264 \"Fiche de Débit\" bold on #ffffff"));
    QCOMPARE(printed.value(1),
             QStringLiteral("text 3684,264 \"Imprimé le 06/12/2026\" bold on #ffffff"));
    QCOMPARE(printed.value(2), QStringLiteral("text 802,394 \"Longueur\" bold on #c0c0c0"));
    QVERIFY(printed.contains("text 202,994 \"Panneau\" on #ffffff"));
    QVERIFY(printed.contains("text 1618,994 \"16\" on #ffffff"));
    QVERIFY(printed.contains("text 1948,994 \"Dimensions calculées pour un embrèvement de 15 mm "
                             "et pour un seul panneau\" on #ffffff"));
    // Two titles, four header texts, three texts in each of four rows and five in the last.
    QCOMPARE(printed.size(), 2 + 4 + 3 * 4 + 5);
}

void TestPrintGrid::headerIsBoldOnSilverAndBodyRegularOnWhite() {
    PrintGrid(services_->printer, cuttingList(), QStringLiteral("J"), QStringLiteral("P"),
              sixDecember);
    const QList<CanvasCall>& calls = device_->recorder().calls();
    // The grid's font at its own point size, 11 pixels at 96 per inch.
    QCOMPARE(calls.first().describe(), QStringLiteral("font MS Sans Serif 8.25pt"));
    for (const CanvasCall& call : calls) {
        if (call.kind != Kind::Text || call.from.y() < 384) {
            continue;
        }
        const bool header = call.from.y() == 394;
        QCOMPARE(call.bold, header);
        QCOMPARE(call.brush, header ? QColor(192, 192, 192) : QColor(Qt::white));
    }
}

void TestPrintGrid::headerOnlyGridPrintsOnePage() {
    FakeGrid grid({100, 100}, 1, 200);
    grid.setCell(0, 0, QStringLiteral("A"));
    grid.setCell(1, 0, QStringLiteral("B"));
    PrintGrid(services_->printer, grid, QStringLiteral("J"), QStringLiteral("Titre"), sixDecember);
    QCOMPARE(device_->log(), QStringList({"select", "begin \"J\"", "end"}));
    // factor 24: second column at 192 + 2400.
    QCOMPARE(lines(),
             QStringList({"line 192,384 4608,384", "line 192,504 4608,504", "line 192,384 192,504",
                          "line 2592,384 2592,504", "line 4608,384 4608,504"}));
    QCOMPARE(texts().size(), 4);
}

void TestPrintGrid::singleColumnSpansMarginToRightEdge() {
    FakeGrid grid({50}, 3, 60);
    grid.setCell(0, 2, QStringLiteral("seul"));
    PrintGrid(services_->printer, grid, QStringLiteral("J"), QStringLiteral("P"), sixDecember);
    const QStringList rules = lines();
    QCOMPARE(rules.mid(rules.size() - 2),
             QStringList({"line 192,384 192,744", "line 4608,384 4608,744"}));
    QVERIFY(texts().contains("text 202,634 \"seul\" on #ffffff"));
}

void TestPrintGrid::rowReachingTheLimitClosesThePage_data() {
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("headings");
    // Page 1250 high: top margin 50, bottom limit 1200; the header row ends at 290, body row k
    // at 290 + 120k, so row 7 ends at 1130 and row 8 at 1250, past the limit.
    QTest::newRow("rows that stay above the limit share one page")
        << 1250 << 8 << QStringList({"select", "begin \"J\"", "end"}) << 1;
    QTest::newRow("the row passing the limit is printed whole, then a new page begins")
        << 1250 << 10 << QStringList({"select", "begin \"J\"", "page", "end"}) << 2;
    QTest::newRow("when that row is the last, the last page holds only the heading")
        << 1250 << 9 << QStringList({"select", "begin \"J\"", "page", "end"}) << 2;
    // Page 1172 high: top margin 46, bottom limit 1126, where body row 7 ends exactly.
    QTest::newRow("a row ending exactly on the limit closes the page")
        << 1172 << 8 << QStringList({"select", "begin \"J\"", "page", "end"}) << 2;
}

void TestPrintGrid::rowReachingTheLimitClosesThePage() {
    QFETCH(int, pageHeight);
    QFETCH(int, rows);
    QFETCH(QStringList, log);
    QFETCH(int, headings);
    device_->setPage(QSize(4800, pageHeight), QSize(600, 600));
    FakeGrid grid({100, 100}, rows, 200);
    for (int r = 0; r < rows; ++r) {
        grid.setCell(0, r, QStringLiteral("r%1").arg(r));
    }
    PrintGrid(services_->printer, grid, QStringLiteral("J"), QStringLiteral("P"), sixDecember);
    QCOMPARE(device_->log(), log);
    QCOMPARE(texts().filter(QStringLiteral("\"P\"")).size(), headings);
    QCOMPARE(texts().filter(QStringLiteral("\"r0\"")).size(), headings);
    // Every grid row but the header is printed exactly once.
    for (int r = 1; r < rows; ++r) {
        QCOMPARE(texts().filter(QStringLiteral("\"r%1\"").arg(r)).size(), 1);
    }
}

void TestPrintGrid::wideGridKeepsColumnsApart() {
    FakeGrid grid = cuttingList();
    FakeGrid wide({100, 71, 65, 55, 422}, 6, 6000); // wider on screen than 4800 printer pixels
    for (int c = 0; c < 5; ++c) {
        wide.setCell(c, 0, grid.cell(c, 0));
    }
    PrintGrid(services_->printer, wide, QStringLiteral("J"), QStringLiteral("P"), sixDecember);
    QStringList rules = lines();
    rules = rules.mid(rules.size() - 6);
    QCOMPARE(rules, QStringList({"line 192,384 192,1104", "line 272,384 272,1104",
                                 "line 328,384 328,1104", "line 380,384 380,1104",
                                 "line 424,384 424,1104", "line 4608,384 4608,1104"}));
}

void TestPrintGrid::stringGridIsReadThroughItsAccessors() {
    stringgrid::StringGrid grid;
    grid.setColCount(3);
    grid.setRowCount(2);
    grid.setColWidths(0, 100);
    grid.setColWidths(1, 71);
    grid.setColWidths(2, 65);
    grid.setCells(1, 0, QStringLiteral("Longueur"));
    grid.setCells(2, 1, QStringLiteral("16"));
    grid.resize(721, 163); // its on-screen width, border included
    PrintGrid(services_->printer, grid, QStringLiteral("J"), QStringLiteral("P"), sixDecember);
    QVERIFY(texts().contains("text 802,394 \"Longueur\" bold on #c0c0c0"));
    QVERIFY(texts().contains("text 1228,514 \"16\" on #ffffff"));
    QCOMPARE(lines().mid(lines().size() - 4),
             QStringList({"line 192,384 192,624", "line 792,384 792,624", "line 1218,384 1218,624",
                          "line 4608,384 4608,624"}));
}

void TestPrintGrid::busyCursorWhilePrintingOnly() {
    std::optional<Qt::CursorShape> during;
    device_->onBegin([&during] {
        if (const QCursor* cursor = QApplication::overrideCursor()) {
            during = cursor->shape();
        }
    });
    PrintGrid(services_->printer, cuttingList(), QStringLiteral("J"), QStringLiteral("P"),
              sixDecember);
    QCOMPARE(during, std::optional<Qt::CursorShape>(Qt::WaitCursor));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestPrintGrid::missingPrinterPrintsNothing() {
    device_->failSelect(print::noDefaultPrinterError());
    QVERIFY_THROWS_EXCEPTION(PrinterError, PrintGrid(services_->printer, cuttingList(),
                                                     QStringLiteral("Impression Débit"),
                                                     QStringLiteral("P"), sixDecember));
    QCOMPARE(device_->log(), QStringList({"select"}));
    QVERIFY(device_->recorder().calls().isEmpty());
    QCOMPARE(services_->printer.title(), QString());
}

void TestPrintGrid::failureDuringTheJobClosesIt() {
    device_->recorder().failAt(Kind::Fill, "Erreur système.  Code : 5.");
    try {
        PrintGrid(services_->printer, cuttingList(), QStringLiteral("J"), QStringLiteral("P"),
                  sixDecember);
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), QStringLiteral("Erreur système.  Code : 5."));
    }
    QCOMPARE(device_->log(), QStringList({"select", "begin \"J\"", "end"}));
    QVERIFY(!services_->printer.printing());
    // The printer is free for the next print.
    PrintGrid(services_->printer, cuttingList(), QStringLiteral("J"), QStringLiteral("P"),
              sixDecember);
    QCOMPARE(device_->log().last(), QStringLiteral("end"));
}

void TestPrintGrid::openJobMakesPrintingFail() {
    services_->printer.beginDoc();
    try {
        PrintGrid(services_->printer, cuttingList(), QStringLiteral("J"), QStringLiteral("P"),
                  sixDecember);
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), QStringLiteral("Impression en cours"));
    }
    QVERIFY(services_->printer.printing()); // the job already open goes on
    services_->printer.endDoc();
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "end"}));
}

void TestPrintGrid::printButtonAsksThenPrints_data() {
    QTest::addColumn<platform::BoxAnswer>("answer");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("Oui prints under the cutting list's job title")
        << platform::BoxAnswer::Yes << QStringList({"select", "begin \"Impression Débit\"", "end"});
    QTest::newRow("Non prints nothing") << platform::BoxAnswer::No << QStringList();
    QTest::newRow("closing the box prints nothing") << platform::BoxAnswer::Closed << QStringList();
}

void TestPrintGrid::printButtonAsksThenPrints() {
    QFETCH(platform::BoxAnswer, answer);
    QFETCH(QStringList, log);
    platform::setBoxResponder([this, answer](const platform::BoxRequest& request) {
        boxes_.append(request);
        return answer;
    });
    printCuttingList(services_->printer, cuttingList());
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QStringLiteral("Impression de la fiche de débit"));
    QCOMPARE(boxes_[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes_[0].icon, platform::BoxIcon::Information);
    QCOMPARE(device_->log(), log);
    if (!log.isEmpty()) {
        QVERIFY(texts().contains("text 192,264 \"Fiche de Débit\" bold on #ffffff"));
    }
}

void TestPrintGrid::printButtonShowsFailureInErrorBox() {
    device_->failSelect(print::noDefaultPrinterError());
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request);
        return request.icon == platform::BoxIcon::Information ? platform::BoxAnswer::Yes
                                                              : platform::BoxAnswer::Ok;
    });
    printCuttingList(services_->printer, cuttingList());
    QCOMPARE(boxes_.size(), 2);
    QCOMPARE(boxes_[1].icon, platform::BoxIcon::Error);
    QCOMPARE(boxes_[1].text, QStringLiteral("Aucune imprimante par défaut sélectionnée."));
    QVERIFY(device_->recorder().calls().isEmpty());
}

QTEST_MAIN(TestPrintGrid)
#include "tst_printgrid.moc"
