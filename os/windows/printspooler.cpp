#include "os/printspooler.h"

#include "os/windows/spoolstatus.h"

#include <QPrinter>
#include <QSet>
#include <vector>
#include <windows.h>
#include <winspool.h>

namespace os {

namespace {

// A printer opened for as long as one question takes.
class PrinterHandle {
public:
    explicit PrinterHandle(const std::wstring& name) {
        if (name.empty()) { // which would open the spooler itself
            error_ = ERROR_INVALID_PRINTER_NAME;
            return;
        }
        PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ACCESS_USE};
        if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle_, &access)) {
            handle_ = nullptr;
            error_ = GetLastError();
        }
    }
    ~PrinterHandle() {
        if (handle_ != nullptr) {
            ClosePrinter(handle_);
        }
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    HANDLE get() const { return handle_; }
    // Why it could not be opened.
    DWORD error() const { return error_; }

private:
    HANDLE handle_ = nullptr;
    DWORD error_ = ERROR_SUCCESS;
};

// What a winspool call fills: it says how many bytes it needs, then is called again with them.
template <typename Call> std::vector<BYTE> fetch(Call&& call) {
    DWORD needed = 0;
    call(nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !call(buffer.data(), needed, &needed)) {
        buffer.clear();
    }
    return buffer;
}

QString textOf(const wchar_t* text) {
    return text != nullptr ? QString::fromWCharArray(text) : QString();
}

// The queue's jobs named `document`, by their numbers.
QSet<DWORD> jobsNamed(HANDLE printer, const QString& document) {
    DWORD count = 0;
    const std::vector<BYTE> buffer = fetch([&](BYTE* data, DWORD size, DWORD* needed) {
        return EnumJobsW(printer, 0, 0xFFFFFFFF, 1, data, size, needed, &count) != FALSE;
    });
    QSet<DWORD> found;
    if (buffer.empty()) {
        return found;
    }
    const auto* jobs = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (textOf(jobs[i].pDocument) == document) {
            found.insert(jobs[i].JobId);
        }
    }
    return found;
}

// A job that Qt's print engine hands to the spooler itself when painting ends (StartDoc,
// EndDoc): it is then found in its queue by its document name, among the jobs of that name that
// were not there before it was painted, and followed by its number.
class WinSpoolJob : public SpoolJob {
public:
    WinSpoolJob(QString queue, QString document)
        : queue_(std::move(queue)), document_(std::move(document)) {
        const PrinterHandle printer(queue_.toStdWString());
        if (printer.get() != nullptr) {
            before_ = jobsNamed(printer.get(), document_);
        }
    }

    QueueStatus queueStatus() override {
        const PrinterHandle printer(queue_.toStdWString());
        if (printer.get() == nullptr) {
            return {printer.error() == ERROR_INVALID_PRINTER_NAME ? QueueState::Missing
                                                                  : QueueState::NoService,
                    {}};
        }
        const std::vector<BYTE> buffer = fetch([&](BYTE* data, DWORD size, DWORD* needed) {
            return GetPrinterW(printer.get(), 2, data, size, needed) != FALSE;
        });
        if (buffer.empty()) {
            return {QueueState::NoService, {}};
        }
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
        return {winspool::queueStateOf(info->Status), {}};
    }

    Submission handOver() override {
        // Qt's engine has handed the job over already: this finds it. A job that is no longer
        // in the queue has gone on to the printer.
        const PrinterHandle printer(queue_.toStdWString());
        if (printer.get() != nullptr) {
            const QSet<DWORD> now = jobsNamed(printer.get(), document_) - before_;
            for (const DWORD job : now) {
                job_ = qMax(job_, job); // the newest, should two of the same name have come
            }
        }
        return {HandOver::Accepted, {}};
    }

    JobStatus status() override {
        if (job_ == 0) {
            return {JobState::Done, {}};
        }
        const PrinterHandle printer(queue_.toStdWString());
        if (printer.get() == nullptr) {
            return {};
        }
        const std::vector<BYTE> buffer = fetch([&](BYTE* data, DWORD size, DWORD* needed) {
            return GetJobW(printer.get(), job_, 1, data, size, needed) != FALSE;
        });
        if (buffer.empty()) {
            // The spooler forgets a job once printed (unless told to keep it).
            return {JobState::Done, {}};
        }
        const auto* info = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
        return {winspool::jobStateOf(info->Status), textOf(info->pStatus)};
    }

private:
    QString queue_;
    QString document_;
    QSet<DWORD> before_;
    DWORD job_ = 0;
};

class WinSpooler : public PrintSpooler {
public:
    std::unique_ptr<SpoolJob> prepare(QPrinter& printer) override {
        // No output file: Qt's Windows engine then paints through the printer's own driver and
        // hands the job to the spooler itself.
        printer.setOutputFileName(QString());
        return std::make_unique<WinSpoolJob>(printer.printerName(), printer.docName());
    }
};

} // namespace

std::unique_ptr<PrintSpooler> makePrintSpooler() {
    return std::make_unique<WinSpooler>();
}

} // namespace os
