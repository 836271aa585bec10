// The designed fonts, asked for by installed families, draw with the faces and sizes that the
// designed names give through their substitutes.

#include "platform/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

namespace {

QFont designed(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::installFontSubstitutions(); }
    void designedFontsDrawAsTheirDesignedNames_data();
    void designedFontsDrawAsTheirDesignedNames();
    void anInstalledFamilyStandsForItselfAndAnUnknownOneIsKept();
};

void TestFonts::designedFontsDrawAsTheirDesignedNames_data() {
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QFont>("byDesignedName");
    QTest::newRow("dialog") << platform::dialogFont()
                            << designed(QStringLiteral("MS Sans Serif"), 11, false);
    QTest::newRow("bold 13") << platform::arialBold(13)
                             << designed(QStringLiteral("Arial"), 13, true);
    QTest::newRow("bold 16") << platform::arialBold(16)
                             << designed(QStringLiteral("Arial"), 16, true);
}

void TestFonts::designedFontsDrawAsTheirDesignedNames() {
    QFETCH(QFont, font);
    QFETCH(QFont, byDesignedName);
    QVERIFY(QFontDatabase::families().contains(font.family(), Qt::CaseInsensitive));
    const QFontInfo info(font);
    const QFontInfo expected(byDesignedName);
    QCOMPARE(info.family(), expected.family());
    QCOMPARE(info.styleName(), expected.styleName());
    QCOMPARE(info.pixelSize(), expected.pixelSize());
    const QString sample = QStringLiteral("Saisie de l'angle et de GRANDE hauteur 795");
    QCOMPARE(QFontMetrics(font).horizontalAdvance(sample),
             QFontMetrics(byDesignedName).horizontalAdvance(sample));
}

void TestFonts::anInstalledFamilyStandsForItselfAndAnUnknownOneIsKept() {
    const QString installed = QFontDatabase::families().value(0);
    QVERIFY(!installed.isEmpty());
    QCOMPARE(platform::installedFamily(installed), installed);
    const QString unknown = QStringLiteral("Police inconnue de Quilvar");
    QCOMPARE(platform::installedFamily(unknown), unknown);
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
