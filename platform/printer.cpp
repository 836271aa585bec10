#include "platform/printer.h"

#include "platform/printerqt.h"

#include <QCoreApplication>
#include <utility>

namespace platform {

PrinterError noDefaultPrinterError() {
    return PrinterError("Aucune imprimante par défaut sélectionnée");
}

PrinterError invalidPrinterError() {
    return PrinterError("Imprimante sélectionnée incorrecte");
}

PrinterError printingInProgressError() {
    return PrinterError("Impression en cours");
}

PrinterError notPrintingError() {
    return PrinterError("Aucune impression en cours");
}

PrinterError systemPrinterError(int code, const QString& text) {
    QString message = QStringLiteral("Erreur système.  Code : %1.").arg(code);
    if (!text.isEmpty()) {
        message += QLatin1Char('\n') + text;
    }
    return PrinterError(message.toStdString());
}

Printer::Printer(std::unique_ptr<PrinterDevice> device) : device_(std::move(device)) {}

Printer::~Printer() {
    if (printing_) {
        try {
            device_->endJob();
        } catch (const std::exception&) {
            // The program is ending; what was sent is all that can be printed.
        }
    }
}

PrinterDevice& Printer::selected() {
    if (!selected_) {
        device_->select();
        selected_ = true;
    }
    return *device_;
}

QString Printer::printerName() {
    return selected().name();
}
int Printer::pageWidth() {
    return selected().pageSize().width();
}
int Printer::pageHeight() {
    return selected().pageSize().height();
}
int Printer::dpiX() {
    return selected().resolution().width();
}
int Printer::dpiY() {
    return selected().resolution().height();
}

void Printer::beginDoc() {
    if (printing_) {
        throw printingInProgressError();
    }
    canvas_ = &selected().beginJob(title_);
    printing_ = true;
    pageNumber_ = 1;
}

void Printer::newPage() {
    if (!printing_) {
        throw notPrintingError();
    }
    device_->newPage();
    ++pageNumber_;
}

void Printer::endDoc() {
    if (!printing_) {
        throw notPrintingError();
    }
    printing_ = false;
    canvas_ = nullptr;
    device_->endJob();
}

Canvas& Printer::canvas() {
    if (!printing_ || canvas_ == nullptr) {
        throw notPrintingError();
    }
    return *canvas_;
}

namespace {

std::unique_ptr<Printer>& appPrinterSlot() {
    static std::unique_ptr<Printer> printer;
    return printer;
}

} // namespace

Printer& appPrinter() {
    std::unique_ptr<Printer>& slot = appPrinterSlot();
    if (!slot) {
        slot = std::make_unique<Printer>(std::make_unique<QtPrinterDevice>());
        // The print system's objects must go before the application object does.
        qAddPostRoutine([] { appPrinterSlot().reset(); });
    }
    return *slot;
}

void installAppPrinter(std::unique_ptr<PrinterDevice> device) {
    std::unique_ptr<Printer>& slot = appPrinterSlot();
    slot.reset();
    if (device) {
        slot = std::make_unique<Printer>(std::move(device));
    }
}

} // namespace platform
