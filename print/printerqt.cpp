#include "print/printerqt.h"

#include "print/canvaspainter.h"
#include "print/printservice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTimer>

namespace print {

namespace {

namespace ps = printservice;

// A job the printer refuses is refused within moments; past this the job is the print system's
// to finish, and the program goes on.
constexpr int kFollowMilliseconds = 15000;
constexpr int kPollMilliseconds = 200;

QString fromService(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

// The settings the print engine would hand the service itself: the page and how it is printed.
ps::JobOptions optionsOf(const QPrinter& printer) {
    ps::JobOptions options;
    options.emplace_back("media", printer.pageLayout().pageSize().key().toStdString());
    if (printer.pageLayout().orientation() == QPageLayout::Landscape) {
        options.emplace_back("landscape", "");
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    case QPrinter::DuplexNone:
        options.emplace_back("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        break;
    }
    return options;
}

} // namespace

QtPrinterDevice::QtPrinterDevice() = default;

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
void QtPrinterDevice::checkQueue() const {
    const QString queue = name();
    const ps::QueueStatus status = ps::queueStatus(queue.toStdString());
    switch (status.state) {
    case ps::QueueState::Ready:
    case ps::QueueState::Stopped: // it takes the job; following it tells the user
        return;
    case ps::QueueState::Rejecting:
        throw queueRejectsError(queue, fromService(status.message));
    case ps::QueueState::Missing:
        throw printerGoneError(queue);
    case ps::QueueState::NoService:
        throw serviceDownError(queue);
    }
}

Canvas& QtPrinterDevice::beginJob(const QString& title) {
    if (!printer_) {
        throw invalidPrinterError();
    }
    checkQueue();
    // Without a ".pdf" ending the printer keeps its own engine and settings and writes the job's
    // document into the file instead of handing it to the service itself.
    auto document = std::make_unique<QTemporaryFile>(
        QDir::temp().filePath(QStringLiteral("quilvar-XXXXXX.job")));
    if (!document->open()) {
        throw spoolError();
    }
    document->close();
    printer_->setDocName(title);
    printer_->setOutputFileName(document->fileName());
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        throw spoolError();
    }
    document_ = std::move(document);
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
    const std::unique_ptr<QTemporaryFile> document = std::move(document_);
    bool written = false;
    if (painter_) {
        written = painter_->end() && printer_->printerState() != QPrinter::Error &&
                  printer_->printerState() != QPrinter::Aborted;
        painter_.reset();
    }
    if (!document) {
        return;
    }
    if (!written || QFileInfo(document->fileName()).size() == 0) {
        throw spoolError();
    }
    submit(document->fileName());
}

void QtPrinterDevice::submit(const QString& path) {
    const QString queue = name();
    const ps::Submission handed =
        ps::submitFile(queue.toStdString(), QFile::encodeName(path).toStdString(),
                       printer_->docName().toStdString(), optionsOf(*printer_));
    if (handed.job > 0) {
        followJob(handed.job);
        return;
    }
    // Tell why from the queue itself: the service's words for a refusal vary with the cause.
    const ps::QueueStatus status = ps::queueStatus(queue.toStdString());
    switch (status.state) {
    case ps::QueueState::Rejecting:
        throw queueRejectsError(queue, fromService(status.message));
    case ps::QueueState::Missing:
        throw printerGoneError(queue);
    case ps::QueueState::NoService:
        throw serviceDownError(queue);
    case ps::QueueState::Ready:
    case ps::QueueState::Stopped:
        throw submissionError(queue, fromService(handed.error));
    }
}

// Until the job is printed, refused or has been with the printer for a while. The windows keep
// repainting meanwhile; a print started then finds the job still open.
void QtPrinterDevice::followJob(int job) {
    const QString queue = name();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const ps::JobStatus status = ps::jobStatus(job);
        switch (status.state) {
        case ps::JobState::Done:
            return;
        case ps::JobState::Refused:
        case ps::JobState::Stopped:
            throw jobRefusedError(queue, fromService(status.message));
        case ps::JobState::Canceled:
            throw jobCanceledError(queue);
        case ps::JobState::Held:
            throw jobHeldError(queue);
        case ps::JobState::Unknown:
            throw serviceLostError(queue);
        case ps::JobState::Waiting:
        case ps::JobState::Printing: {
            const ps::QueueStatus printer = ps::queueStatus(queue.toStdString());
            if (printer.state == ps::QueueState::Stopped) {
                throw queueStoppedError(queue, fromService(printer.message));
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
