// The Windows spooler as the program reads it: a job's and a printer's status
// bits, and a queue the spooler does not know.

#include "os/printspooler.h"
#include "os/windows/spoolstatus.h"

#include <QPrinter>
#include <QTest>
#include <windows.h>
#include <winspool.h>

Q_DECLARE_METATYPE(os::JobState)
Q_DECLARE_METATYPE(os::QueueState)

class TestWinSpool : public QObject {
    Q_OBJECT

private slots:
    void jobStateOfItsBits_data();
    void jobStateOfItsBits();
    void queueStateOfItsBits_data();
    void queueStateOfItsBits();
    void unknownQueueIsMissing();
};

void TestWinSpool::jobStateOfItsBits_data() {
    QTest::addColumn<qulonglong>("status");
    QTest::addColumn<os::JobState>("state");
    using os::JobState;
    QTest::newRow("queued, nothing said") << qulonglong{0} << JobState::Waiting;
    QTest::newRow("being spooled") << qulonglong{JOB_STATUS_SPOOLING} << JobState::Printing;
    QTest::newRow("printing") << qulonglong{JOB_STATUS_PRINTING} << JobState::Printing;
    QTest::newRow("paused by a user") << qulonglong{JOB_STATUS_PAUSED} << JobState::Held;
    QTest::newRow("printer offline")
        << qulonglong{JOB_STATUS_PRINTING | JOB_STATUS_OFFLINE} << JobState::Stopped;
    QTest::newRow("out of paper") << qulonglong{JOB_STATUS_PAPEROUT} << JobState::Stopped;
    QTest::newRow("a hand needed") << qulonglong{JOB_STATUS_USER_INTERVENTION} << JobState::Stopped;
    QTest::newRow("driver error") << qulonglong{JOB_STATUS_ERROR | JOB_STATUS_PRINTING}
                                  << JobState::Refused;
    QTest::newRow("driver cannot print it")
        << qulonglong{JOB_STATUS_BLOCKED_DEVQ} << JobState::Refused;
    QTest::newRow("deleted by a user") << qulonglong{JOB_STATUS_DELETING} << JobState::Canceled;
    QTest::newRow("deleted after an error")
        << qulonglong{JOB_STATUS_ERROR | JOB_STATUS_DELETED} << JobState::Canceled;
    QTest::newRow("printed") << qulonglong{JOB_STATUS_PRINTED} << JobState::Done;
    QTest::newRow("sent to the printer") << qulonglong{JOB_STATUS_COMPLETE} << JobState::Done;
}

void TestWinSpool::jobStateOfItsBits() {
    QFETCH(qulonglong, status);
    QFETCH(os::JobState, state);
    QCOMPARE(os::winspool::jobStateOf(static_cast<unsigned long>(status)), state);
}

void TestWinSpool::queueStateOfItsBits_data() {
    QTest::addColumn<qulonglong>("status");
    QTest::addColumn<os::QueueState>("state");
    using os::QueueState;
    QTest::newRow("ready") << qulonglong{0} << QueueState::Ready;
    QTest::newRow("busy printing") << qulonglong{PRINTER_STATUS_PRINTING} << QueueState::Ready;
    QTest::newRow("paused") << qulonglong{PRINTER_STATUS_PAUSED} << QueueState::Stopped;
    QTest::newRow("being deleted")
        << qulonglong{PRINTER_STATUS_PENDING_DELETION | PRINTER_STATUS_PAUSED}
        << QueueState::Rejecting;
}

void TestWinSpool::queueStateOfItsBits() {
    QFETCH(qulonglong, status);
    QFETCH(os::QueueState, state);
    QCOMPARE(os::winspool::queueStateOf(static_cast<unsigned long>(status)), state);
}

void TestWinSpool::unknownQueueIsMissing() {
    QPrinter printer;
    printer.setPrinterName(QStringLiteral("Aucune imprimante de ce nom"));
    printer.setDocName(QStringLiteral("Essai"));
    const std::unique_ptr<os::SpoolJob> job = os::makePrintSpooler()->prepare(printer);
    QVERIFY(job);
    QCOMPARE(job->queueStatus().state, os::QueueState::Missing);
}

QTEST_MAIN(TestWinSpool)
#include "tst_winspool.moc"
