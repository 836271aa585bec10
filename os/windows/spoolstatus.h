#pragma once
// What the Windows spooler's own words on a printer and a job mean to the program: the status
// bits of PRINTER_INFO_2 and JOB_INFO_1 (winspool.h) read as the states every system reports.

#include "os/printspooler.h"

namespace os::winspool {

// A job's state from its status bits. A job that is being or has been deleted was canceled; one
// the spooler or its driver could not print was refused; one waiting on the printer (offline,
// out of paper, a hand needed) is stopped there.
JobState jobStateOf(unsigned long status);

// A printer's state from its status bits: paused, or about to be deleted.
QueueState queueStateOf(unsigned long status);

} // namespace os::winspool
