#include "calc/cuttinglist.h"
#include "calc/numbertext.h"

#include <QTest>
#include <map>

using calc::CuttingListSource;

namespace {

using Cells = std::map<std::pair<int, int>, QString>;

// The main window as it opens, before any calculation.
CuttingListSource startWindow() {
    CuttingListSource source;
    source.EditGrandExt = "795";
    source.EditLargBois = "70";
    source.EditEpaisseur = "24";
    source.EditTenon = "15";
    source.EditAngle = "50";
    source.LabelPHExt = "410";
    source.LabelLargeurInt = "385";
    source.LabelDiag = "504";
    source.Label2 = "Ravancement (mm)";
    return source;
}

// The list as the worked example reads, by (column, row).
Cells startList() {
    const QString stile =
        QString::fromUtf8("Coupe avec un angle de : 50° (prévoir une surlongueur confortable)");
    const QString rail = QString::fromUtf8("Ravancement (mm) : 15 [en prévoir 2]");
    return {{{1, 1}, "795"}, {{1, 2}, "410"}, {{1, 3}, "415"}, {{1, 4}, "534"}, {{1, 5}, "0 et 0"},
            {{2, 1}, "70"},  {{2, 2}, "70"},  {{2, 3}, "70"},  {{2, 4}, "70"},  {{2, 5}, "415"},
            {{3, 1}, "24"},  {{3, 2}, "24"},  {{3, 3}, "24"},  {{3, 4}, "24"},  {{4, 1}, stile},
            {{4, 2}, stile}, {{4, 3}, rail},  {{4, 4}, rail}};
}

struct Fill {
    QList<std::pair<int, int>> order;
    Cells cells;
    QString failure;
};

// The tables are written with a comma unless a row gives the mark.
Fill fill(const CuttingListSource& source, char mark = ',') {
    Fill result;
    try {
        calc::fillCuttingList(source, mark, [&result](int col, int row, const std::string& text) {
            result.order.append({col, row});
            result.cells[{col, row}] = QString::fromStdString(text);
        });
    } catch (const base::Failure& failure) {
        result.failure = QString::fromStdString(failure.message());
    }
    return result;
}

QString describe(const Cells& cells) {
    QStringList lines;
    for (const auto& [cell, text] : cells) {
        lines << QString("(%1,%2) %3").arg(cell.first).arg(cell.second).arg(text);
    }
    return lines.join(u'\n');
}

} // namespace

Q_DECLARE_METATYPE(CuttingListSource)
Q_DECLARE_METATYPE(Cells)

class TestCuttingList : public QObject {
    Q_OBJECT

private slots:
    void listFromWindow_data();
    void listFromWindow();
    void cellsComeInStepOrder();
    void unreadableNumberStopsTheFill_data();
    void unreadableNumberStopsTheFill();
    void overflowingRailLengthIsAFault();
};

void TestCuttingList::listFromWindow_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<CuttingListSource>("source");
    QTest::addColumn<Cells>("changed"); // cells that differ from the worked example

    for (const char mark : {',', '.'}) {
        const QByteArray m = mark == ',' ? " (comma)" : " (full stop)";
        const QString angle = mark == ',' ? "49,8" : "49.8";

        QTest::newRow("the window as it opens" + m) << mark << startWindow() << Cells{};

        CuttingListSource calculated = startWindow();
        calculated.EditAngle = angle.toStdString();
        calculated.PanneauGH = 621.4539242516591;
        calculated.PanneauPH = 270.4824956802306;
        const QString stile = QString::fromUtf8("Coupe avec un angle de : ") + angle +
                              QString::fromUtf8("° (prévoir une surlongueur confortable)");
        QTest::newRow("after a calculation the panel heights and the angle show" + m)
            << mark << calculated
            << Cells{{{1, 5}, "621 et 270"}, {{4, 1}, stile}, {{4, 2}, stile}};

        CuttingListSource tenon = startWindow();
        tenon.EditTenon = mark == ',' ? "12,5" : "12.5";
        const QString rail = QString::fromUtf8("Ravancement (mm) : ") +
                             QString::fromStdString(tenon.EditTenon) +
                             QString::fromUtf8(" [en prévoir 2]");
        QTest::newRow("a decimal tenon lengthens the rails and is quoted as typed" + m)
            << mark << tenon
            << Cells{{{1, 3}, "410"}, {{1, 4}, "529"}, {{4, 3}, rail}, {{4, 4}, rail}};
    }

    CuttingListSource changedHeight = startWindow();
    changedHeight.EditGrandExt = "800";
    QTest::newRow("a height changed without calculating only moves the long stile")
        << ',' << changedHeight << Cells{{{1, 1}, "800"}};

    CuttingListSource tenonJoint = startWindow();
    tenonJoint.Label2 = "Longueur du tenon (mm)";
    const QString tenonRail = QString::fromUtf8("Longueur du tenon (mm) : 15 [en prévoir 2]");
    QTest::newRow("the tenon joint renames the rail remarks")
        << ',' << tenonJoint << Cells{{{4, 3}, tenonRail}, {{4, 4}, tenonRail}};

    CuttingListSource odd = startWindow();
    odd.EditLargBois = "";
    odd.EditEpaisseur = " 2x4 ";
    odd.EditAngle = "abc";
    const QString oddStile =
        QString::fromUtf8("Coupe avec un angle de : abc° (prévoir une surlongueur confortable)");
    QTest::newRow("verbatim texts are copied without validation")
        << ',' << odd
        << Cells{{{2, 1}, ""},       {{2, 2}, ""},      {{2, 3}, ""},      {{2, 4}, ""},
                 {{3, 1}, " 2x4 "},  {{3, 2}, " 2x4 "}, {{3, 3}, " 2x4 "}, {{3, 4}, " 2x4 "},
                 {{4, 1}, oddStile}, {{4, 2}, oddStile}};
}

void TestCuttingList::listFromWindow() {
    QFETCH(char, mark);
    QFETCH(CuttingListSource, source);
    QFETCH(Cells, changed);

    Cells expected = startList();
    for (const auto& [cell, text] : changed) {
        expected[cell] = text;
    }
    const Fill result = fill(source, mark);

    QCOMPARE(result.failure, QString());
    QVERIFY2(result.cells == expected, qPrintable(describe(result.cells)));
}

void TestCuttingList::cellsComeInStepOrder() {
    const QList<std::pair<int, int>> steps{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 1},
                                           {2, 2}, {2, 3}, {2, 4}, {2, 5}, {3, 1}, {3, 2},
                                           {3, 3}, {3, 4}, {4, 1}, {4, 2}, {4, 3}, {4, 4}};
    QCOMPARE(fill(startWindow()).order, steps);
}

void TestCuttingList::unreadableNumberStopsTheFill_data() {
    QTest::addColumn<CuttingListSource>("source");
    QTest::addColumn<int>("cellsWritten");
    QTest::addColumn<QString>("failure");

    CuttingListSource emptyTenon = startWindow();
    emptyTenon.EditTenon = "";
    QTest::newRow("an empty tenon stops before the bottom rail")
        << emptyTenon << 2 << "'' n'est pas une valeur en virgule flottante correcte";

    CuttingListSource emptyHeight = startWindow();
    emptyHeight.EditGrandExt = "";
    QTest::newRow("an emptied long height stops at the first cell")
        << emptyHeight << 0 << "'' n'est pas une valeur en virgule flottante correcte";

    CuttingListSource fullStop = startWindow();
    fullStop.EditTenon = "12.5";
    QTest::newRow("a full-stop tenon in a comma locale quotes the text")
        << fullStop << 2 << "'12.5' n'est pas une valeur en virgule flottante correcte";

    CuttingListSource badDiag = startWindow();
    badDiag.LabelDiag = "x";
    QTest::newRow("an unreadable oblique length stops after the bottom rail")
        << badDiag << 3 << "'x' n'est pas une valeur en virgule flottante correcte";
}

void TestCuttingList::unreadableNumberStopsTheFill() {
    QFETCH(CuttingListSource, source);
    QFETCH(int, cellsWritten);
    QFETCH(QString, failure);

    const Fill result = fill(source);

    QCOMPARE(result.failure, failure);
    QCOMPARE(result.order.size(), cellsWritten);
    // The cells before the failing step are refreshed from the sources.
    const Cells start = startList();
    for (const auto& cell : result.order) {
        QCOMPARE(result.cells.at(cell), start.at(cell));
    }
}

void TestCuttingList::overflowingRailLengthIsAFault() {
    CuttingListSource huge = startWindow();
    huge.EditTenon = "1E4932";
    const Fill result = fill(huge);

    QCOMPARE(result.failure, "Débordement en virgule flottante");
    QCOMPARE(result.order.size(), 2);
}

QTEST_APPLESS_MAIN(TestCuttingList)
#include "tst_cuttinglist.moc"
