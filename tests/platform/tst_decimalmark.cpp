#include "calc/numbertext.h"
#include "platform/decimalmark.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>
#include <memory>

class TestDecimalMark : public QObject {
    Q_OBJECT

private slots:
    void markOfLocale_data();
    void markOfLocale();
    void watcherTakesTheSystemMark();
    void localeChangeRefreshesTheMark();
    void otherEventsLeaveTheMark();
    void theLastWatcherAliveGivesTheMark();
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
    const platform::DecimalMarkWatcher watcher;
    QCOMPARE(platform::decimalMark(), ',');
}

void TestDecimalMark::localeChangeRefreshesTheMark() {
    platform::DecimalMarkWatcher watcher;
    watcher.setMark('#');

    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);

    QCOMPARE(platform::decimalMark(), ',');
    QCOMPARE(calc::FormatNumber(12.5L, 1, platform::decimalMark()), "12,5");
}

void TestDecimalMark::otherEventsLeaveTheMark() {
    platform::DecimalMarkWatcher watcher;
    watcher.setMark('#');

    QEvent other(QEvent::LanguageChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &other);
    QObject elsewhere;
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(&elsewhere, &change);

    QCOMPARE(platform::decimalMark(), '#');
}

void TestDecimalMark::theLastWatcherAliveGivesTheMark() {
    QCOMPARE(platform::decimalMark(), '.');
    auto first = std::make_unique<platform::DecimalMarkWatcher>();
    first->setMark('#');
    {
        platform::DecimalMarkWatcher second;
        second.setMark('!');
        QCOMPARE(platform::decimalMark(), '!');
        auto third = std::make_unique<platform::DecimalMarkWatcher>();
        third->setMark('?');
        first.reset(); // out of order: the ones built after it stay installed
        QCOMPARE(platform::decimalMark(), '?');
        third.reset();
        QCOMPARE(platform::decimalMark(), '!');
    }
    QCOMPARE(platform::decimalMark(), '.');
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
