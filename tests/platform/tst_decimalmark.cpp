#include "calc/numbertext.h"
#include "platform/decimalmark.h"

#include <QCoreApplication>
#include <QLocale>
#include <QtTest>

class TestDecimalMark : public QObject {
    Q_OBJECT

private slots:
    void markOfLocale_data();
    void markOfLocale();
    void watcherTakesTheSystemMark();
    void localeChangeRefreshesTheMark();
    void otherEventsLeaveTheMark();
};

void TestDecimalMark::markOfLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<char>("mark");

    QTest::newRow("French gives a comma") << QLocale(QLocale::French, QLocale::France) << ',';
    QTest::newRow("English gives a full stop")
        << QLocale(QLocale::English, QLocale::UnitedStates) << '.';
    QTest::newRow("German gives a comma") << QLocale(QLocale::German, QLocale::Germany) << ',';
    QTest::newRow("the C locale gives a full stop") << QLocale::c() << '.';
    // U+066B, the Arabic decimal separator: one character, but not one byte.
    QTest::newRow("a non-ASCII separator falls back to a full stop")
        << QLocale(QLocale::Arabic, QLocale::Egypt) << '.';
}

void TestDecimalMark::markOfLocale() {
    QFETCH(QLocale, locale);
    QFETCH(char, mark);
    QCOMPARE(platform::decimalMarkOf(locale), mark);
}

void TestDecimalMark::watcherTakesTheSystemMark() {
    // main() gives this process a French system locale.
    calc::SetDecimalMark('#');
    const platform::DecimalMarkWatcher watcher;
    QCOMPARE(calc::DecimalMark(), ',');
}

void TestDecimalMark::localeChangeRefreshesTheMark() {
    const platform::DecimalMarkWatcher watcher;
    calc::SetDecimalMark('#');

    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);

    QCOMPARE(calc::DecimalMark(), ',');
    QCOMPARE(calc::FormatNumber(12.5L, 1), "12,5");
}

void TestDecimalMark::otherEventsLeaveTheMark() {
    const platform::DecimalMarkWatcher watcher;
    calc::SetDecimalMark('#');

    QEvent other(QEvent::LanguageChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &other);
    QObject elsewhere;
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(&elsewhere, &change);

    QCOMPARE(calc::DecimalMark(), '#');
}

int main(int argc, char** argv) {
    // The system locale is read once per process: set it before anything asks for it.
    qputenv("LC_ALL", "fr_FR.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    QCoreApplication app(argc, argv);
    TestDecimalMark test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_decimalmark.moc"
