#include "print/printerqt.h"

#include "os/printspooler.h"
#include "print/canvaspainter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>

namespace print {

namespace {

// A job the printer refuses is refused within moments; past this the job is the print system's
// to finish, and the program goes on.
constexpr int kFollowMilliseconds = 15000;
constexpr int kPollMilliseconds = 200;

} // namespace

QtPrinterDevice::QtPrinterDevice(os::PrintSpooler& spooler) : spooler_(spooler) {}

QtPrinterDevice::~QtPrinterDevice() {
    if (painter_ && painter_->isActive()) {
        painter_->end();
    }
}

void QtPrinterDevice::select() {
    const QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
    if (chosen.isNull() || chosen.printerName().isEmpty() ||
        !QPrinterInfo::availablePrinterNames().contains(chosen.printerName())) {
        throw noDefaultPrinterError();
    }
    // The printer's own default settings (paper, orientation, resolution).
    auto printer = std::make_unique<QPrinter>(chosen, QPrinter::HighResolution);
    printer->setFullPage(false);
    if (!printer->isValid() || printer->printerName() != chosen.printerName()) {
        throw invalidPrinterError();
    }
    printer_ = std::move(printer);
    queue_ = chosen.printerName(); // the job goes there by name, whatever the output file
}

QString QtPrinterDevice::name() const {
    return queue_;
}

QSize QtPrinterDevice::pageSize() const {
    if (!printer_) {
        return {};
    }
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).size();
}

QSize QtPrinterDevice::resolution() const {
    if (!printer_) {
        return {};
    }
    return {printer_->logicalDpiX(), printer_->logicalDpiY()};
}

// The queue chosen at first use, as the service sees it now: nothing is drawn for a job it
// cannot take.
void QtPrinterDevice::checkQueue(os::SpoolJob& job) const {
    const QString queue = name();
    const os::QueueStatus status = job.queueStatus();
    switch (status.state) {
    case os::QueueState::Ready:
    case os::QueueState::Stopped: // it takes the job; following it tells the user
        return;
    case os::QueueState::Rejecting:
        throw queueRejectsError(queue, status.message);
    case os::QueueState::Missing:
        throw printerGoneError(queue);
    case os::QueueState::NoService:
        throw serviceDownError(queue);
    }
}

Canvas& QtPrinterDevice::beginJob(const QString& title) {
    if (!printer_) {
        throw invalidPrinterError();
    }
    printer_->setDocName(title);
    std::unique_ptr<os::SpoolJob> job = spooler_.prepare(*printer_);
    if (!job) {
        throw spoolError();
    }
    checkQueue(*job);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        throw spoolError();
    }
    job_ = std::move(job);
    painter_ = std::move(painter);
    canvas_ = std::make_unique<PainterCanvas>(*painter_);
    return *canvas_;
}

void QtPrinterDevice::newPage() {
    if (printer_ && !printer_->newPage()) {
        throw newPageError();
    }
}

void QtPrinterDevice::endJob() {
    canvas_.reset();
    const std::unique_ptr<os::SpoolJob> job = std::move(job_);
    bool written = false;
    if (painter_) {
        written = painter_->end() && printer_->printerState() != QPrinter::Error &&
                  printer_->printerState() != QPrinter::Aborted;
        painter_.reset();
    }
    if (!job) {
        return;
    }
    if (!written) {
        throw spoolError();
    }
    submit(*job);
}

void QtPrinterDevice::submit(os::SpoolJob& job) {
    const QString queue = name();
    const os::Submission handed = job.handOver();
    switch (handed.result) {
    case os::HandOver::Accepted:
        followJob(job);
        return;
    case os::HandOver::Unwritten:
        throw spoolError();
    case os::HandOver::Refused:
        break;
    }
    // Tell why from the queue itself: the service's words for a refusal vary with the cause.
    const os::QueueStatus status = job.queueStatus();
    switch (status.state) {
    case os::QueueState::Rejecting:
        throw queueRejectsError(queue, status.message);
    case os::QueueState::Missing:
        throw printerGoneError(queue);
    case os::QueueState::NoService:
        throw serviceDownError(queue);
    case os::QueueState::Ready:
    case os::QueueState::Stopped:
        throw submissionError(queue, handed.message);
    }
}

// Until the job is printed, refused or has been with the printer for a while. The windows keep
// repainting meanwhile; a print started then finds the job still open.
void QtPrinterDevice::followJob(os::SpoolJob& job) {
    const QString queue = name();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const os::JobStatus status = job.status();
        switch (status.state) {
        case os::JobState::Done:
            return;
        case os::JobState::Refused:
        case os::JobState::Stopped:
            throw jobRefusedError(queue, status.message);
        case os::JobState::Canceled:
            throw jobCanceledError(queue);
        case os::JobState::Held:
            throw jobHeldError(queue);
        case os::JobState::Unknown:
            throw serviceLostError(queue);
        case os::JobState::Waiting:
        case os::JobState::Printing: {
            const os::QueueStatus printer = job.queueStatus();
            if (printer.state == os::QueueState::Stopped) {
                throw queueStoppedError(queue, printer.message);
            }
            break;
        }
        }
        if (clock.elapsed() >= kFollowMilliseconds) {
            return;
        }
        QEventLoop pause;
        QTimer::singleShot(kPollMilliseconds, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

} // namespace print
