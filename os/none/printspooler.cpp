#include "os/printspooler.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>

namespace os {

namespace {

// No print service: the queue never answers and nothing is handed over. The page is still
// painted, into a file of the job's own, so that no print engine reaches a real printer.
class NoServiceJob : public SpoolJob {
public:
    explicit NoServiceJob(QString path) : path_(std::move(path)) {}
    ~NoServiceJob() override { QFile::remove(path_); }
    NoServiceJob(const NoServiceJob&) = delete;
    NoServiceJob& operator=(const NoServiceJob&) = delete;

    QueueStatus queueStatus() override { return {QueueState::NoService, {}}; }
    Submission handOver() override { return {HandOver::Refused, {}}; }
    JobStatus status() override { return {}; }

private:
    QString path_;
};

class NoSpooler : public PrintSpooler {
public:
    std::unique_ptr<SpoolJob> prepare(QPrinter& printer) override {
        QTemporaryFile document(QDir::temp().filePath(QStringLiteral("quilvar-XXXXXX.job")));
        document.setAutoRemove(false);
        if (!document.open()) {
            return nullptr;
        }
        document.close();
        printer.setOutputFileName(document.fileName());
        return std::make_unique<NoServiceJob>(document.fileName());
    }
};

} // namespace

std::unique_ptr<PrintSpooler> makePrintSpooler() {
    return std::make_unique<NoSpooler>();
}

} // namespace os
