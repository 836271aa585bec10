#pragma once
// The print service (the CUPS scheduler named by the environment, as every print client finds
// it): what it says of a queue and of a job, and the handing over of a document. Each call opens
// its own short connection, so a scheduler that has gone away or come back since the last call
// is seen as it is now. Pure C++ (no Qt).

#include <string>
#include <utility>
#include <vector>

namespace print::printservice {

enum class QueueState {
    Ready,     // accepts jobs and prints them
    Stopped,   // accepts jobs but holds them until it is started again
    Rejecting, // refuses new jobs
    Missing,   // the service knows no queue of that name
    NoService, // the service does not answer
};

struct QueueStatus {
    QueueState state = QueueState::NoService;
    std::string message; // the service's own words on the queue's state, often empty
};

QueueStatus queueStatus(const std::string& queue);

// A document handed to a queue: the job's number, or 0 and the service's reason.
struct Submission {
    int job = 0;
    std::string error;
};

using JobOptions = std::vector<std::pair<std::string, std::string>>;

Submission submitFile(const std::string& queue, const std::string& path, const std::string& title,
                      const JobOptions& options);

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
    std::string message; // the printer's last words on the job, often empty
};

JobStatus jobStatus(int job);

} // namespace print::printservice
