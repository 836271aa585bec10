#include "print/jobfollower.h"

#include "os/printspooler.h"

#include <QMetaObject>
#include <QObject>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace print {

namespace {

using Clock = std::chrono::steady_clock;

// A job the printer refuses is refused within moments; past this the job is the print system's
// to finish.
constexpr auto kFollowFor = std::chrono::seconds(15);
// How often a job is asked after.
constexpr auto kPoll = std::chrono::milliseconds(200);

struct Job {
    std::unique_ptr<os::SpoolJob> job;
    QString queue;
    Clock::time_point until{};
};

// Why a queue does not take a job, or nothing when it does.
std::optional<PrinterError> queueRefusal(const os::QueueStatus& status, const QString& queue) {
    switch (status.state) {
    case os::QueueState::Ready:
    case os::QueueState::Stopped: // it takes the job; following it tells the user
        return std::nullopt;
    case os::QueueState::Rejecting:
        return queueRejectsError(queue, status.message);
    case os::QueueState::Missing:
        return printerGoneError(queue);
    case os::QueueState::NoService:
        return serviceDownError(queue);
    }
    return std::nullopt;
}

// The queue as the service sees it now, then the hand-over; nothing when the job is handed over.
std::optional<PrinterError> handOver(os::SpoolJob& job, const QString& queue) {
    if (std::optional<PrinterError> refusal = queueRefusal(job.queueStatus(), queue)) {
        return refusal;
    }
    const os::Submission handed = job.handOver();
    switch (handed.result) {
    case os::HandOver::Accepted:
        return std::nullopt;
    case os::HandOver::Unwritten:
        return spoolError();
    case os::HandOver::Refused:
        break;
    }
    // Tell why from the queue itself: the service's words for a refusal vary with the cause.
    if (std::optional<PrinterError> refusal = queueRefusal(job.queueStatus(), queue)) {
        return refusal;
    }
    return submissionError(queue, handed.message);
}

enum class Step { Going, Ended };

// One look at a job handed over: ended when printed, refused or followed long enough.
Step lookAt(Job& followed, std::optional<PrinterError>& failure) {
    const QString& queue = followed.queue;
    const os::JobStatus status = followed.job->status();
    switch (status.state) {
    case os::JobState::Done:
        return Step::Ended;
    case os::JobState::Refused:
    case os::JobState::Stopped:
        failure = jobRefusedError(queue, status.message);
        return Step::Ended;
    case os::JobState::Canceled:
        failure = jobCanceledError(queue);
        return Step::Ended;
    case os::JobState::Held:
        failure = jobHeldError(queue);
        return Step::Ended;
    case os::JobState::Unknown:
        failure = serviceLostError(queue);
        return Step::Ended;
    case os::JobState::Waiting:
    case os::JobState::Printing:
        break;
    }
    const os::QueueStatus printer = followed.job->queueStatus();
    if (printer.state == os::QueueState::Stopped) {
        failure = queueStoppedError(queue, printer.message);
        return Step::Ended;
    }
    return Clock::now() >= followed.until ? Step::Ended : Step::Going;
}

} // namespace

// Lives on the window's thread: a failure posted to it runs `report` there from the event loop,
// and is dropped with it when the follower goes first.
class JobFollower::Receiver : public QObject {
public:
    explicit Receiver(Report report) : report_(std::move(report)) {}
    void deliver(const PrinterError& failure) {
        if (report_) {
            report_(failure);
        }
    }

private:
    Report report_;
};

// What the window's side and the follower's thread share; the thread holds it as long as it
// runs, which may be past the follower's end.
struct JobFollower::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> waiting;      // to hand over, in order
    bool running = false;         // a thread is following
    Receiver* receiver = nullptr; // null once the follower has gone

    // Posts `failure` to the window's thread while there is someone to take it.
    void report(const PrinterError& failure) {
        const std::lock_guard lock(mutex);
        if (receiver != nullptr) {
            QMetaObject::invokeMethod(
                receiver, [to = receiver, failure] { to->deliver(failure); }, Qt::QueuedConnection);
        }
    }

    void run();
};

// The follower's thread: hands over what waits, asks after what was handed over, and ends when
// nothing is left, or when the follower has gone.
void JobFollower::Shared::run() {
    std::vector<Job> followed;
    for (;;) {
        std::optional<Job> next;
        {
            std::unique_lock lock(mutex);
            if (waiting.empty() && !followed.empty()) {
                wake.wait_for(lock, kPoll,
                              [this] { return !waiting.empty() || receiver == nullptr; });
            }
            if (receiver == nullptr || (waiting.empty() && followed.empty())) {
                running = false;
                return;
            }
            if (!waiting.empty()) {
                next = std::move(waiting.front());
                waiting.pop_front();
            }
        }
        if (next) {
            if (std::optional<PrinterError> failure = handOver(*next->job, next->queue)) {
                report(*failure);
            } else {
                next->until = Clock::now() + kFollowFor;
                followed.push_back(std::move(*next));
            }
            continue; // what else waits is handed over first
        }
        for (auto it = followed.begin(); it != followed.end();) {
            std::optional<PrinterError> failure;
            if (lookAt(*it, failure) == Step::Ended) {
                if (failure) {
                    report(*failure);
                }
                it = followed.erase(it);
            } else {
                ++it;
            }
        }
    }
}

JobFollower::JobFollower(Report report)
    : receiver_(std::make_unique<Receiver>(std::move(report))),
      shared_(std::make_shared<Shared>()) {
    shared_->receiver = receiver_.get();
}

JobFollower::~JobFollower() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->receiver = nullptr;
        shared_->waiting.clear();
    }
    shared_->wake.notify_all();
}

bool JobFollower::following() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->running;
}

void JobFollower::follow(std::unique_ptr<os::SpoolJob> job, const QString& queue) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->waiting.push_back({std::move(job), queue});
        if (shared_->running) {
            shared_->wake.notify_all();
            return;
        }
        shared_->running = true;
    }
    try {
        // Why a thread: with the CUPS scheduler stopped (SIGSTOP) two seconds into a job, the
        // follow on the window's thread froze the windows for 58 s; on this thread, F9 and a
        // second print answered at once throughout a 3 s stop (scripts/cups-e2e.sh). Detached:
        // a service that does not answer keeps this thread, never the program's exit.
        std::thread([shared = shared_] { shared->run(); }).detach();
    } catch (const std::system_error&) {
        const std::lock_guard lock(shared_->mutex);
        shared_->running = false;
        shared_->waiting.clear();
        throw spoolError();
    }
}

} // namespace print
