#include "os/windows/spoolstatus.h"

#include <windows.h>
#include <winspool.h>

namespace os::winspool {

JobState jobStateOf(unsigned long status) {
    // The most telling first: a job deleted with an error on it was deleted.
    if ((status & (JOB_STATUS_DELETING | JOB_STATUS_DELETED)) != 0) {
        return JobState::Canceled;
    }
    if ((status & (JOB_STATUS_ERROR | JOB_STATUS_BLOCKED_DEVQ)) != 0) {
        return JobState::Refused;
    }
    if ((status & (JOB_STATUS_PRINTED | JOB_STATUS_COMPLETE)) != 0) {
        return JobState::Done;
    }
    if ((status & (JOB_STATUS_OFFLINE | JOB_STATUS_PAPEROUT | JOB_STATUS_USER_INTERVENTION)) != 0) {
        return JobState::Stopped;
    }
    if ((status & JOB_STATUS_PAUSED) != 0) {
        return JobState::Held;
    }
    if ((status & (JOB_STATUS_PRINTING | JOB_STATUS_SPOOLING)) != 0) {
        return JobState::Printing;
    }
    return JobState::Waiting;
}

QueueState queueStateOf(unsigned long status) {
    if ((status & PRINTER_STATUS_PENDING_DELETION) != 0) {
        return QueueState::Rejecting;
    }
    if ((status & PRINTER_STATUS_PAUSED) != 0) {
        return QueueState::Stopped;
    }
    return QueueState::Ready;
}

} // namespace os::winspool
