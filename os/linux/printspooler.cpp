#include "os/printspooler.h"

#include "os/linux/cupsservice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryFile>

namespace os {

namespace {

// The settings the print engine would hand the service itself: the page and how it is printed.
cups::JobOptions optionsOf(const QPrinter& printer) {
    cups::JobOptions options;
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

// A job painted into a file of its own, which is handed to the queue by name; the job's handle
// is the scheduler's job number.
class CupsJob : public SpoolJob {
public:
    CupsJob(QString path, const QPrinter& printer)
        : path_(std::move(path)), queue_(printer.printerName().toStdString()),
          title_(printer.docName().toStdString()), options_(optionsOf(printer)) {}
    ~CupsJob() override { QFile::remove(path_); }
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    QueueStatus queueStatus() override { return cups::queueStatus(queue_); }

    Submission handOver() override {
        if (QFileInfo(path_).size() == 0) {
            return {HandOver::Unwritten, {}};
        }
        const cups::Submitted handed =
            cups::submitFile(queue_, QFile::encodeName(path_).toStdString(), title_, options_);
        QFile::remove(path_); // the scheduler keeps its own copy
        if (handed.job <= 0) {
            return {HandOver::Refused, QString::fromStdString(handed.error)};
        }
        job_ = handed.job;
        return {HandOver::Accepted, {}};
    }

    JobStatus status() override { return job_ > 0 ? cups::jobStatus(job_) : JobStatus{}; }

private:
    QString path_;
    std::string queue_;
    std::string title_;
    cups::JobOptions options_;
    int job_ = 0;
};

class CupsSpooler : public PrintSpooler {
public:
    std::unique_ptr<SpoolJob> prepare(QPrinter& printer) override {
        // Without a ".pdf" ending the printer keeps its own engine and settings and writes the
        // job's document into the file instead of handing it to the service itself.
        QTemporaryFile document(QDir::temp().filePath(QStringLiteral("quilvar-XXXXXX.job")));
        document.setAutoRemove(false); // from now on the job's to remove
        if (!document.open()) {
            return nullptr;
        }
        document.close();
        auto job = std::make_unique<CupsJob>(document.fileName(), printer); // before the file:
        printer.setOutputFileName(document.fileName()); // the queue is read from the printer
        return job;
    }
};

} // namespace

std::unique_ptr<PrintSpooler> makePrintSpooler() {
    return std::make_unique<CupsSpooler>();
}

} // namespace os
