#include "calc/numbertext.h"
#include "calc/panelgeometry.h"

#include <QTest>
#include <optional>

using calc::PanelDimensions;
using calc::PanelFields;
using calc::PanelOutcome;
using calc::PanelOutput;

namespace {

// What one calculation showed: "Name=text" for every write in order, and how it ended
// ("completed", "rejected" or the fault's message).
struct Run {
    QStringList writes;
    QString ending;
};

// The tables are written with a comma unless a row gives the mark.
Run calculate(const QStringList& texts, int mode, PanelDimensions& panel, char mark = ',') {
    const PanelFields fields{texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString(),
                             texts[3].toStdString(), texts[4].toStdString()};
    Run run;
    const auto sink = [&run](PanelOutput output, const std::string& text) {
        run.writes << QString::fromLatin1(calc::panelOutputName(output)) + u'=' +
                          QString::fromStdString(text);
    };
    try {
        const PanelOutcome outcome = calc::computePanel(fields, mark, mode, panel, sink);
        run.ending = outcome == PanelOutcome::Completed ? "completed" : "rejected";
    } catch (const base::Failure& failure) {
        run.ending = QString::fromStdString(failure.message());
    }
    return run;
}

// Written outputs compared entry by entry; an expected entry without '=' checks the name only.
void compareWrites(const QStringList& actual, const QStringList& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected[i].contains(u'=')) {
            QCOMPARE(actual[i], expected[i]);
        } else {
            QCOMPARE(actual[i].section(u'=', 0, 0), expected[i]);
        }
    }
}

// A dimension set with recognisable old values, as a previous calculation would leave it.
PanelDimensions previousPanel() {
    return {1, 2, 3, 4, 5, 6, 7};
}

QString marked(QString text, char mark) {
    return text.replace(u'.', QLatin1Char(mark));
}

const QStringList kStartTexts{"795", "351", "525", "70", "50"};
const QString kDivisionByZero = "Division par zéro en virgule flottante";
const QString kInvalid = "Opération en virgule flottante incorrecte";
const QString kOverflow = "Débordement en virgule flottante";
constexpr double kDegree = 3.14159265358979323846 / 180;

} // namespace

class TestPanelGeometry : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void rejectedInput_data();
    void rejectedInput();
    void arithmeticFaults_data();
    void arithmeticFaults();
    void overflowAtTheLastStepKeepsTheLabels();
    void negativeAngleCompletes();
    void unknownModeComputesNoMissingQuantity();
};

void TestPanelGeometry::workedExamples_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<double>("grandExt");
    QTest::addColumn<double>("petitExt");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("panneauGH");
    QTest::addColumn<double>("panneauPH");

    for (const char mark : {',', '.'}) {
        const QByteArray m = mark == ',' ? " (comma)" : " (full stop)";
        QTest::newRow("start values with both heights give the angle" + m)
            << mark << kStartTexts << 0
            << QStringList{"LabelLargeurInt=385", marked("EditAngle=49.8", mark),
                           "LabelGHInt=574",      "LabelPHExt=410",
                           "LabelDiag=504",       "LabelPHInt=249"}
            << 795.0 << 351.0 << 0.868796 << 621.454 << 270.482;
        QTest::newRow("angle and long height give the short height" + m)
            << mark << kStartTexts << 1
            << QStringList{"LabelLargeurInt=385", "EditPetitExt=354", "LabelGHInt=575",
                           "LabelPHExt=413",      "LabelDiag=503",    "LabelPHInt=252"}
            << 795.0 << 354.473 << 50 * kDegree << 622.052 << 273.826;
        QTest::newRow("angle and short height give the long height" + m)
            << mark << kStartTexts << 2
            << QStringList{"LabelLargeurInt=385", "EditGrandExt=792", "LabelGHInt=571",
                           "LabelPHExt=410",      "LabelDiag=503",    "LabelPHInt=248"}
            << 791.527 << 351.0 << 50 * kDegree << 618.579 << 270.353;
        QTest::newRow("the written-back angle reads again with the decimal mark" + m)
            << mark << QStringList{"795", "351", "525", "70", marked("49.8", mark)} << 1
            << QStringList{"LabelLargeurInt=385", "EditPetitExt=351", "LabelGHInt=574",
                           "LabelPHExt=410",      "LabelDiag=504",    "LabelPHInt=249"}
            << 795.0 << 351.341 << 49.8 * kDegree << 621.513 << 270.810;
    }
}

void TestPanelGeometry::workedExamples() {
    QFETCH(char, mark);
    QFETCH(QStringList, texts);
    QFETCH(int, mode);
    QFETCH(QStringList, writes);

    PanelDimensions panel;
    const Run run = calculate(texts, mode, panel, mark);

    QCOMPARE(run.ending, "completed");
    compareWrites(run.writes, writes);
    QFETCH(double, grandExt);
    QFETCH(double, petitExt);
    QFETCH(double, angle);
    QFETCH(double, panneauGH);
    QFETCH(double, panneauPH);
    QVERIFY(qAbs(panel.GrandExt - grandExt) < 5e-4);
    QVERIFY(qAbs(panel.PetitExt - petitExt) < 5e-4);
    QCOMPARE(panel.Largeur, 525.0);
    QCOMPARE(panel.LargBois, 70.0);
    QVERIFY2(qAbs(panel.Angle - angle) < 1e-6, qPrintable(QString::number(panel.Angle, 'g', 17)));
    QVERIFY2(qAbs(panel.PanneauGH - panneauGH) < 5e-4,
             qPrintable(QString::number(panel.PanneauGH)));
    QVERIFY2(qAbs(panel.PanneauPH - panneauPH) < 5e-4,
             qPrintable(QString::number(panel.PanneauPH)));
}

void TestPanelGeometry::rejectedInput_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("storedBeforeFailure");

    QTest::newRow("an empty long height stores nothing")
        << ',' << QStringList{"", "351", "525", "70", "50"} << 0;
    QTest::newRow("an unreadable fourth field keeps the first three new values")
        << ',' << QStringList{"795", "351", "525", "7a", "50"} << 3;
    QTest::newRow("an empty angle is rejected even when the mode computes it")
        << ',' << QStringList{"795", "351", "525", "70", ""} << 4;
    QTest::newRow("a full stop is not the comma locale's mark")
        << ',' << QStringList{"795", "351", "525.5", "70", "50"} << 2;
    QTest::newRow("a comma is not the full-stop locale's mark")
        << '.' << QStringList{"795", "351,5", "525", "70", "50"} << 1;
    QTest::newRow("a height too large for a double is rejected when stored")
        << ',' << QStringList{"795", "1E400", "525", "70", "50"} << 1;
    QTest::newRow("an angle whose radians do not fit a double is rejected")
        << ',' << QStringList{"795", "351", "525", "70", "1E4000"} << 4;
    QTest::newRow("an angle that overflows while converted to radians is rejected")
        << '.' << QStringList{"795", "351", "525", "70", "1.1E4932"} << 4;
}

void TestPanelGeometry::rejectedInput() {
    QFETCH(char, mark);
    QFETCH(QStringList, texts);
    QFETCH(int, storedBeforeFailure);

    for (const int mode : {0, 1, 2}) {
        PanelDimensions panel = previousPanel();
        const Run run = calculate(texts, mode, panel, mark);
        QCOMPARE(run.ending, "rejected");
        QVERIFY2(run.writes.isEmpty(), qPrintable(run.writes.join(u' ')));

        const PanelDimensions old = previousPanel();
        const double fresh[] = {795, 351, 525, 70};
        const double PanelDimensions::*stored[] = {
            &PanelDimensions::GrandExt, &PanelDimensions::PetitExt, &PanelDimensions::Largeur,
            &PanelDimensions::LargBois};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(panel.*stored[i], i < storedBeforeFailure ? fresh[i] : old.*stored[i]);
        }
        QCOMPARE(panel.Angle, old.Angle);
        QCOMPARE(panel.PanneauGH, old.PanneauGH);
        QCOMPARE(panel.PanneauPH, old.PanneauPH);
    }
}

void TestPanelGeometry::arithmeticFaults_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("fault");

    QTest::newRow("equal heights divide by zero after the interior width")
        << QStringList{"795", "795", "525", "70", "50"} << 0 << QStringList{"LabelLargeurInt=385"}
        << kDivisionByZero;
    QTest::newRow("equal heights and no width are zero over zero")
        << QStringList{"795", "795", "0", "70", "50"} << 0 << QStringList{"LabelLargeurInt=-140"}
        << kInvalid;
    QTest::newRow("no width gives a zero angle, then a division by zero")
        << QStringList{"795", "351", "0", "70", "50"} << 0
        << QStringList{"LabelLargeurInt=-140", "EditAngle=0,0"} << kDivisionByZero;
    QTest::newRow("a zero angle with the long height divides by zero")
        << QStringList{"795", "351", "525", "70", "0"} << 1 << QStringList{"LabelLargeurInt=385"}
        << kDivisionByZero;
    QTest::newRow("a zero angle with the short height divides by zero")
        << QStringList{"795", "351", "525", "70", "0"} << 2 << QStringList{"LabelLargeurInt=385"}
        << kDivisionByZero;
    QTest::newRow("a zero angle and no width are zero over zero")
        << QStringList{"795", "351", "0", "70", "0"} << 2 << QStringList{"LabelLargeurInt=-140"}
        << kInvalid;
    QTest::newRow("a tiny height difference makes a slope too large for a double")
        << QStringList{"1E-320", "0", "525", "70", "50"} << 0 << QStringList{"LabelLargeurInt=385"}
        << kOverflow;
    QTest::newRow("a tiny angle makes a short height too large for a double")
        << QStringList{"795", "351", "1E10", "70", "1E-300"} << 1 << QStringList{"LabelLargeurInt"}
        << kOverflow;
    QTest::newRow("a tiny angle makes a long height too large for a double")
        << QStringList{"795", "351", "1E10", "70", "1E-300"} << 2 << QStringList{"LabelLargeurInt"}
        << kOverflow;
}

void TestPanelGeometry::arithmeticFaults() {
    QFETCH(QStringList, texts);
    QFETCH(int, mode);
    QFETCH(QStringList, writes);
    QFETCH(QString, fault);

    PanelDimensions panel = previousPanel();
    const Run run = calculate(texts, mode, panel);

    QCOMPARE(run.ending, fault);
    compareWrites(run.writes, writes);
    // The fields were stored; the fault stopped the calculation before the panel heights.
    QCOMPARE(panel.Largeur, texts[2].toDouble());
    QCOMPARE(panel.LargBois, 70.0);
    QCOMPARE(panel.PanneauGH, previousPanel().PanneauGH);
    QCOMPARE(panel.PanneauPH, previousPanel().PanneauPH);
    // The height a mode computes is not stored when its own step faults.
    if (mode == 1) {
        QCOMPARE(panel.PetitExt, texts[1].toDouble());
    }
    if (mode == 2) {
        QCOMPARE(panel.GrandExt, texts[0].toDouble());
    }
}

void TestPanelGeometry::overflowAtTheLastStepKeepsTheLabels() {
    // A slope of about 1E-310: every label fits, but 15 / t does not fit a double.
    PanelDimensions panel = previousPanel();
    const Run run = calculate({"1E10", "0", "1E-300", "1E-300", "50"}, 0, panel);

    QCOMPARE(run.ending, kOverflow);
    compareWrites(run.writes, {"LabelLargeurInt=0", "EditAngle=0,0", "LabelGHInt", "LabelPHExt",
                               "LabelDiag", "LabelPHInt"});
    for (const QString& write : run.writes) {
        QVERIFY2(!write.contains("INF") && !write.contains("NAN"), qPrintable(write));
    }
    QVERIFY(panel.Angle > 0 && panel.Angle < 1e-300);
    QCOMPARE(panel.PanneauGH, previousPanel().PanneauGH);
    QCOMPARE(panel.PanneauPH, previousPanel().PanneauPH);
}

void TestPanelGeometry::negativeAngleCompletes() {
    // No plausibility check: a short side longer than the long side slopes the other way.
    PanelDimensions panel;
    const Run run = calculate({"351", "795", "525", "70", "50"}, 0, panel);

    QCOMPARE(run.ending, "completed");
    compareWrites(run.writes, {"LabelLargeurInt=385", "EditAngle=-49,8", "LabelGHInt=432",
                               "LabelPHExt=736", "LabelDiag=-504", "LabelPHInt=757"});
    QVERIFY(panel.Angle < 0);
    QVERIFY(qAbs(panel.PanneauGH - 414.546) < 5e-4);
    QVERIFY(qAbs(panel.PanneauPH - 765.518) < 5e-4);
}

void TestPanelGeometry::unknownModeComputesNoMissingQuantity() {
    for (const int mode : {-1, 3}) {
        PanelDimensions panel;
        const Run run = calculate(kStartTexts, mode, panel);
        QCOMPARE(run.ending, "completed");
        // A slope of 1 and the angle as typed.
        compareWrites(run.writes, {"LabelLargeurInt=385", "LabelGHInt=564", "LabelPHExt=421",
                                   "LabelDiag=503", "LabelPHInt=260"});
        QVERIFY(qAbs(panel.Angle - 50 * kDegree) < 1e-12);
        QVERIFY(qAbs(panel.PanneauGH - 613.203) < 5e-4);
    }
}

QTEST_APPLESS_MAIN(TestPanelGeometry)
#include "tst_panelgeometry.moc"
