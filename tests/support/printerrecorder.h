#pragma once
// A printer device for tests: a page of a chosen size and resolution, a recording canvas, a log
// of the job calls, and failures on request.

#include "print/printer.h"
#include "tests/support/canvasrecorder.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace testsupport {

class RecordingPrinterDevice : public print::PrinterDevice {
public:
    void select() override;
    QString name() const override { return QStringLiteral("Enregistreur"); }
    QSize pageSize() const override { return pageSize_; }
    QSize resolution() const override { return resolution_; }
    print::Canvas& beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override;

    void setPage(QSize pageSize, QSize resolution);
    // The binding fails with `failure` (each time it is tried).
    void failSelect(std::optional<print::PrinterError> failure) {
        selectFailure_ = std::move(failure);
    }
    // The next opening of a job fails with `failure`.
    void failBegin(std::optional<print::PrinterError> failure) {
        beginFailure_ = std::move(failure);
    }
    // The next new page fails with `failure` (after its log line).
    void failNewPage(std::optional<print::PrinterError> failure) {
        pageFailure_ = std::move(failure);
    }
    // The next closing of a job fails with `failure` (after its log line), as a job the print
    // system does not take or does not print.
    void failEnd(std::optional<print::PrinterError> failure) { endFailure_ = std::move(failure); }
    // Called when a job opens (after the log line), e.g. to look at the application's state.
    void onBegin(std::function<void()> hook) { onBegin_ = std::move(hook); }
    // Called while a job closes (after the log line), as the print system is handed the job.
    void onEnd(std::function<void()> hook) { onEnd_ = std::move(hook); }

    // "select", "begin \"<title>\"", "page", "end", in order.
    const QStringList& log() const { return log_; }
    RecordingCanvas& recorder() { return canvas_; }

private:
    QSize pageSize_{4800, 6600};
    QSize resolution_{600, 600};
    std::optional<print::PrinterError> selectFailure_;
    std::optional<print::PrinterError> beginFailure_;
    std::optional<print::PrinterError> pageFailure_;
    std::optional<print::PrinterError> endFailure_;
    std::function<void()> onBegin_;
    std::function<void()> onEnd_;
    QStringList log_;
    RecordingCanvas canvas_;
};

} // namespace testsupport
