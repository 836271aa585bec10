#pragma once
// The CUPS scheduler named by the environment, as every print client finds it: what it says of a
// queue and of a job, and the handing over of a document. Each call opens its own short
// connection, so a scheduler that has gone away or come back since the last call is seen as it
// is now; a call may run on any thread.

#include "os/printspooler.h"

#include <string>
#include <utility>
#include <vector>

namespace os::cups {

QueueStatus queueStatus(const std::string& queue);

// A document handed to a queue: the job's number, or 0 and the service's reason.
struct Submitted {
    int job = 0;
    std::string error;
};

using JobOptions = std::vector<std::pair<std::string, std::string>>;

Submitted submitFile(const std::string& queue, const std::string& path, const std::string& title,
                     const JobOptions& options);

JobStatus jobStatus(int job);

} // namespace os::cups
