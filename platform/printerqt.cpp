#include "platform/printerqt.h"

#include "platform/canvaspainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

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
}

QString QtPrinterDevice::name() const {
    return printer_ ? printer_->printerName() : QString();
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
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        throw systemPrinterError(static_cast<int>(printer_->printerState()),
                                 QStringLiteral("Le travail d'impression n'a pas pu être ouvert."));
    }
    painter_ = std::move(painter);
    canvas_ = std::make_unique<PainterCanvas>(*painter_);
    return *canvas_;
}

void QtPrinterDevice::newPage() {
    if (printer_) {
        printer_->newPage();
    }
}

void QtPrinterDevice::endJob() {
    canvas_.reset();
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

} // namespace platform
