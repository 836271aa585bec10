#include "os/helpopener.h"
#include "os/printspooler.h"
#include "os/windowplacement.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTest>
#include <QUrl>

// Without a system of its own the program still runs: nothing prints, no help opens, Qt places
// the windows.
class TestNoServices : public QObject {
    Q_OBJECT

private slots:
    void aJobFindsNoServiceAndLeavesNoFile();
    void helpIsNotOpened();
    void windowsAreLeftToQt();
};

void TestNoServices::aJobFindsNoServiceAndLeavesNoFile() {
    QPrinter printer;
    std::unique_ptr<os::SpoolJob> job = os::makePrintSpooler()->prepare(printer);
    QVERIFY(job);
    const QString document = printer.outputFileName();
    QVERIFY(QFileInfo::exists(document));
    QCOMPARE(job->queueStatus().state, os::QueueState::NoService);
    QCOMPARE(job->handOver().result, os::HandOver::Refused);
    QCOMPARE(job->status().state, os::JobState::Unknown);
    job.reset();
    QVERIFY(!QFileInfo::exists(document));
}

void TestNoServices::helpIsNotOpened() {
    QVERIFY(!os::makeHelpOpener()->open(QUrl::fromLocalFile(QStringLiteral("/aide.html"))));
}

void TestNoServices::windowsAreLeftToQt() {
    QVERIFY(!os::platformPlacesWindows(u"xcb"));
    QVERIFY(!os::canPlaceWindows());
}

QTEST_MAIN(TestNoServices)
#include "tst_noservices.moc"
