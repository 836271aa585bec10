#include "tests/support/printerrecorder.h"

#include <utility>

namespace testsupport {

namespace {

void raiseOnce(std::optional<print::PrinterError>& failure) {
    if (failure) {
        print::PrinterError raised = std::move(*failure);
        failure.reset();
        throw raised;
    }
}

} // namespace

void RecordingPrinterDevice::select() {
    log_.append(QStringLiteral("select"));
    if (selectFailure_) {
        throw *selectFailure_;
    }
}

print::Canvas& RecordingPrinterDevice::beginJob(const QString& title) {
    raiseOnce(beginFailure_);
    log_.append(QStringLiteral("begin \"%1\"").arg(title));
    if (onBegin_) {
        onBegin_();
    }
    return canvas_;
}

void RecordingPrinterDevice::newPage() {
    log_.append(QStringLiteral("page"));
    raiseOnce(pageFailure_);
}

void RecordingPrinterDevice::endJob() {
    log_.append(QStringLiteral("end"));
    if (onEnd_) {
        onEnd_();
    }
    raiseOnce(endFailure_);
}

void RecordingPrinterDevice::setPage(QSize pageSize, QSize resolution) {
    pageSize_ = pageSize;
    resolution_ = resolution;
}

} // namespace testsupport
