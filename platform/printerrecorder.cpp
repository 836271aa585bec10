#include "platform/printerrecorder.h"

#include <utility>

namespace platform {

void RecordingPrinterDevice::select() {
    log_.append(QStringLiteral("select"));
    if (selectFailure_) {
        throw *selectFailure_;
    }
}

Canvas& RecordingPrinterDevice::beginJob(const QString& title) {
    if (beginFailure_) {
        PrinterError failure = std::move(*beginFailure_);
        beginFailure_.reset();
        throw failure;
    }
    log_.append(QStringLiteral("begin \"%1\"").arg(title));
    if (onBegin_) {
        onBegin_();
    }
    return canvas_;
}

void RecordingPrinterDevice::newPage() {
    log_.append(QStringLiteral("page"));
}

void RecordingPrinterDevice::endJob() {
    log_.append(QStringLiteral("end"));
}

void RecordingPrinterDevice::setPage(QSize pageSize, QSize resolution) {
    pageSize_ = pageSize;
    resolution_ = resolution;
}

} // namespace platform
