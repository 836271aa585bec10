#pragma once
// The print system's spooler: how a job painted through Qt reaches a print queue, what the
// service says of that queue, and what becomes of the job once handed over. Each system has its
// own (os/<system>/printspooler.cpp): on Linux the CUPS scheduler, handed the painted document as
// a file; on Windows the spooler that Qt's own print engine hands the job to when painting ends.

#include <QString>
#include <memory>

class QPrinter;

namespace os {

enum class QueueState {
    Ready,     // accepts jobs and prints them
    Stopped,   // accepts jobs but holds them until it is started again
    Rejecting, // refuses new jobs
    Missing,   // the service knows no queue of that name
    NoService, // the service does not answer
};

struct QueueStatus {
    QueueState state = QueueState::NoService;
    QString message; // the service's own words on the queue's state, often empty
};

enum class HandOver {
    Accepted,  // the spooler has the job
    Unwritten, // painting left no document to hand over
    Refused,   // the service did not take it
};

struct Submission {
    HandOver result = HandOver::Refused;
    QString message; // the service's reason for a refusal, often empty
};

enum class JobState {
    Waiting,  // pending in the queue
    Held,     // held until someone releases it
    Printing, // being converted or sent to the printer
    Stopped,  // stopped by the printer or the service
    Canceled, // canceled by a user
    Refused,  // canceled at the printer, or ended by the service on an error
    Done,     // completed
    Unknown,  // the service does not answer or knows no such job
};

struct JobStatus {
    JobState state = JobState::Unknown;
    QString message; // the printer's last words on the job, often empty
};

// One job, from its painting to its end in the spooler; it knows its queue and, once handed
// over, its own handle in the spooler. Made on the window's thread before painting begins. Once
// painting has ended it holds all it needs: it may move to another thread and outlive both the
// spooler and the QPrinter, and each call may block for as long as the service takes to answer.
// One thread at a time.
class SpoolJob {
public:
    virtual ~SpoolJob() = default;
    // The job's queue as the service sees it now.
    virtual QueueStatus queueStatus() = 0;
    // Hands what was painted over to the queue; once.
    virtual Submission handOver() = 0;
    // What became of the job handed over.
    virtual JobStatus status() = 0;
};

class PrintSpooler {
public:
    virtual ~PrintSpooler() = default;
    // Readies `printer` (bound to its queue, its document name set) so that what is painted on
    // it next makes one job of this spooler; null when no document can be prepared for it.
    virtual std::unique_ptr<SpoolJob> prepare(QPrinter& printer) = 0;
};

// This system's spooler.
std::unique_ptr<PrintSpooler> makePrintSpooler();

} // namespace os
