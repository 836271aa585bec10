#include "print/printerqt.h"

#include "os/printspooler.h"
#include "print/canvaspainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <utility>

namespace print {

QtPrinterDevice::QtPrinterDevice(os::PrintSpooler& spooler, JobFollower::Report report)
    : spooler_(spooler), follower_(std::move(report)) {}

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

Canvas& QtPrinterDevice::beginJob(const QString& title) {
    if (!printer_) {
        throw invalidPrinterError();
    }
    printer_->setDocName(title);
    std::unique_ptr<os::SpoolJob> job = spooler_.prepare(*printer_);
    if (!job) {
        throw spoolError();
    }
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
    std::unique_ptr<os::SpoolJob> job = std::move(job_);
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
    // The queue is asked about the job, and the job handed over and followed, off the window's
    // thread: the print service may take seconds to answer, or stop answering.
    follower_.follow(std::move(job), name());
}

} // namespace print
