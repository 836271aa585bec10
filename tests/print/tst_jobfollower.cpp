#include "os/printspooler.h"
#include "print/jobfollower.h"

#include <QElapsedTimer>
#include <QTest>
#include <deque>
#include <memory>
#include <semaphore>

using os::JobState;
using os::QueueState;

namespace {

// What a fake spooler answers for one job, call after call; `gate`, when given, holds every call
// until released, as a print service that has stopped answering.
struct Script {
    QueueState queue = QueueState::Ready;
    os::HandOver handOver = os::HandOver::Accepted;
    std::deque<JobState> states{JobState::Done}; // the last one repeats
    std::shared_ptr<std::counting_semaphore<>> gate;
    std::shared_ptr<std::atomic<int>> handedOver = std::make_shared<std::atomic<int>>(0);
};

class ScriptedJob : public os::SpoolJob {
public:
    explicit ScriptedJob(Script script) : script_(std::move(script)) {}
    os::QueueStatus queueStatus() override {
        wait();
        return {script_.queue, QStringLiteral("entretien")};
    }
    os::Submission handOver() override {
        wait();
        ++*script_.handedOver;
        return {script_.handOver, QStringLiteral("refus")};
    }
    os::JobStatus status() override {
        wait();
        const JobState state = script_.states.front();
        if (script_.states.size() > 1) {
            script_.states.pop_front();
        }
        return {state, QStringLiteral("bourrage")};
    }

private:
    void wait() {
        if (script_.gate) {
            script_.gate->acquire();
            script_.gate->release();
        }
    }
    Script script_;
};

} // namespace

class TestJobFollower : public QObject {
    Q_OBJECT

private slots:
    void eachFaultIsReportedOnTheWindowsThreadWhenKnown_data();
    void eachFaultIsReportedOnTheWindowsThreadWhenKnown();
    void aServiceThatStopsAnsweringHoldsNeitherTheWindowsNorTheNextJob();
    void goingAwayWhileAJobIsFollowedReturnsAtOnceAndReportsNothing();
};

void TestJobFollower::eachFaultIsReportedOnTheWindowsThreadWhenKnown_data() {
    QTest::addColumn<int>("queue");
    QTest::addColumn<int>("handOver");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("message"); // empty: no failure
    const auto row = [](const char* name, QueueState queue, os::HandOver handOver, JobState state,
                        const char* message) {
        QTest::newRow(name) << int(queue) << int(handOver) << int(state)
                            << QString::fromUtf8(message);
    };
    const auto ok = os::HandOver::Accepted;
    row("printed", QueueState::Ready, ok, JobState::Done, "");
    row("a queue that rejects jobs", QueueState::Rejecting, ok, JobState::Done,
        "La file d'impression « Q » refuse les travaux : entretien");
    row("a queue gone", QueueState::Missing, ok, JobState::Done,
        "L'imprimante « Q », choisie à la première impression, n'existe plus");
    row("no service", QueueState::NoService, ok, JobState::Done,
        "Le service d'impression ne répond pas : rien n'a été envoyé à « Q »");
    row("a hand-over refused", QueueState::Ready, os::HandOver::Refused, JobState::Done,
        "Le service d'impression n'a pas accepté le travail pour « Q » : refus");
    row("nothing painted", QueueState::Ready, os::HandOver::Unwritten, JobState::Done,
        "Le document à imprimer n'a pas pu être préparé");
    row("refused by the printer", QueueState::Ready, ok, JobState::Refused,
        "L'imprimante « Q » a refusé le travail : bourrage");
    row("canceled", QueueState::Ready, ok, JobState::Canceled,
        "Le travail envoyé à « Q » a été annulé avant d'être imprimé");
    row("a printer stopped with the job in its queue", QueueState::Stopped, ok, JobState::Waiting,
        "L'imprimante « Q » est arrêtée : le travail attend dans sa file : entretien");
    row("held", QueueState::Ready, ok, JobState::Held,
        "Le travail envoyé à « Q » est retenu dans la file d'impression");
    row("the service lost", QueueState::Ready, ok, JobState::Unknown,
        "Le service d'impression ne répond plus : le travail envoyé à « Q » n'est peut-être pas "
        "imprimé");
}

void TestJobFollower::eachFaultIsReportedOnTheWindowsThreadWhenKnown() {
    QFETCH(int, queue);
    QFETCH(int, handOver);
    QFETCH(int, state);
    QFETCH(QString, message);
    QStringList reports;
    QList<bool> onThisThread;
    print::JobFollower follower([&](const print::PrinterError& failure) {
        reports.append(QString::fromUtf8(failure.what()));
        onThisThread.append(QThread::currentThread() == thread());
    });
    Script script;
    script.queue = QueueState(queue);
    script.handOver = os::HandOver(handOver);
    script.states = {JobState::Waiting, JobState::Printing, JobState(state)};
    follower.follow(std::make_unique<ScriptedJob>(script), QStringLiteral("Q"));
    QVERIFY(reports.isEmpty()); // never from inside follow()
    if (message.isEmpty()) {
        QTest::qWait(1000);
        QCOMPARE(reports, QStringList());
    } else {
        QTRY_COMPARE(reports, QStringList{message});
        QCOMPARE(onThisThread, QList<bool>{true});
    }
}

void TestJobFollower::aServiceThatStopsAnsweringHoldsNeitherTheWindowsNorTheNextJob() {
    QStringList reports;
    print::JobFollower follower([&](const print::PrinterError& failure) {
        reports.append(QString::fromUtf8(failure.what()));
    });
    Script stalled;
    stalled.gate = std::make_shared<std::counting_semaphore<>>(0);
    stalled.states = {JobState::Printing, JobState::Done};
    Script next;
    next.handedOver = stalled.handedOver;
    QElapsedTimer clock;
    clock.start();
    follower.follow(std::make_unique<ScriptedJob>(stalled), QStringLiteral("Q"));
    follower.follow(std::make_unique<ScriptedJob>(next), QStringLiteral("Q"));
    QTest::qWait(300); // the window's events run meanwhile
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(stalled.handedOver->load(), 0);
    stalled.gate->release(); // the service answers again: both jobs go, in order
    QTRY_COMPARE(stalled.handedOver->load(), 2);
    QTest::qWait(500);
    QCOMPARE(reports, QStringList());
}

void TestJobFollower::goingAwayWhileAJobIsFollowedReturnsAtOnceAndReportsNothing() {
    QStringList reports;
    Script stalled;
    stalled.gate = std::make_shared<std::counting_semaphore<>>(0);
    stalled.queue = QueueState::Rejecting;
    QElapsedTimer clock;
    {
        print::JobFollower follower([&](const print::PrinterError& failure) {
            reports.append(QString::fromUtf8(failure.what()));
        });
        follower.follow(std::make_unique<ScriptedJob>(stalled), QStringLiteral("Q"));
        QTest::qWait(100);
        clock.start();
    }
    QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
    stalled.gate->release(); // the refusal comes after the follower has gone
    QTest::qWait(500);
    QCOMPARE(reports, QStringList());
}

QTEST_GUILESS_MAIN(TestJobFollower)
#include "tst_jobfollower.moc"
