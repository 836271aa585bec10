#include "platform/contrast.h"

#include <QTest>

using platform::contrastRatio;
using platform::Rgb;

Q_DECLARE_METATYPE(platform::Rgb)

namespace {

const Rgb kYellow{255, 255, 0};
const Rgb kAqua{0, 255, 255};
const Rgb kLightText{238, 238, 236}; // a dark theme's text
const Rgb kDarkGround{53, 53, 53};   // a dark theme's button face

} // namespace

class TestContrast : public QObject {
    Q_OBJECT

private slots:
    void ratiosOfKnownPairs_data();
    void ratiosOfKnownPairs();
    void readableTextKeepsTheThemesColourWhereItIsLegible_data();
    void readableTextKeepsTheThemesColourWhereItIsLegible();
    void nearestLegibleStaysDimmedButReadable_data();
    void nearestLegibleStaysDimmedButReadable();
};

void TestContrast::ratiosOfKnownPairs_data() {
    QTest::addColumn<Rgb>("a");
    QTest::addColumn<Rgb>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white is 21") << platform::kBlack << platform::kWhite << 21.0;
    QTest::newRow("a colour on itself is 1") << kYellow << kYellow << 1.0;
    QTest::newRow("the order does not matter") << platform::kWhite << platform::kBlack << 21.0;
    QTest::newRow("light text on yellow is unreadable") << kLightText << kYellow << 1.09;
    QTest::newRow("black on yellow") << platform::kBlack << kYellow << 19.56;
    QTest::newRow("the classic grey text on button face")
        << Rgb{109, 109, 109} << Rgb{240, 240, 240} << 4.54;
}

void TestContrast::ratiosOfKnownPairs() {
    QFETCH(Rgb, a);
    QFETCH(Rgb, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01,
             qPrintable(QString::number(contrastRatio(a, b))));
}

void TestContrast::readableTextKeepsTheThemesColourWhereItIsLegible_data() {
    QTest::addColumn<Rgb>("background");
    QTest::addColumn<Rgb>("themeText");
    QTest::addColumn<Rgb>("expected");
    QTest::newRow("a light theme's black on yellow stays")
        << kYellow << Rgb{46, 52, 54} << Rgb{46, 52, 54};
    QTest::newRow("a dark theme's light text on yellow turns black")
        << kYellow << kLightText << platform::kBlack;
    QTest::newRow("a dark theme's light text on aqua turns black")
        << kAqua << kLightText << platform::kBlack;
    QTest::newRow("light text on a dark face stays") << kDarkGround << kLightText << kLightText;
    QTest::newRow("dark text on a dark face turns white")
        << kDarkGround << Rgb{20, 20, 20} << platform::kWhite;
}

void TestContrast::readableTextKeepsTheThemesColourWhereItIsLegible() {
    QFETCH(Rgb, background);
    QFETCH(Rgb, themeText);
    QFETCH(Rgb, expected);
    QCOMPARE(platform::readableText(background, themeText), expected);
}

void TestContrast::nearestLegibleStaysDimmedButReadable_data() {
    QTest::addColumn<Rgb>("background");
    QTest::addColumn<Rgb>("dimmed");
    QTest::addColumn<bool>("staysAShade"); // neither black nor white
    QTest::newRow("a light theme's pale grey on its face")
        << Rgb{239, 239, 239} << Rgb{190, 190, 190} << true;
    QTest::newRow("a dark theme's dim grey on its face")
        << kDarkGround << Rgb{120, 120, 120} << true;
    QTest::newRow("grey on a mid-grey ground, where only near black is enough")
        << Rgb{119, 119, 119} << Rgb{140, 140, 140} << true;
    QTest::newRow("the same colour as the ground") << kYellow << kYellow << true;
}

void TestContrast::nearestLegibleStaysDimmedButReadable() {
    QFETCH(Rgb, background);
    QFETCH(Rgb, dimmed);
    QFETCH(bool, staysAShade);
    const Rgb chosen = platform::nearestLegible(background, dimmed);
    QVERIFY2(contrastRatio(background, chosen) >= platform::kLegibleContrast,
             qPrintable(QString::number(contrastRatio(background, chosen))));
    QCOMPARE(chosen != platform::kBlack && chosen != platform::kWhite, staysAShade);
    // A colour that is legible already is kept.
    QCOMPARE(platform::nearestLegible(background, platform::readableText(background, dimmed)),
             platform::readableText(background, dimmed));
}

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
