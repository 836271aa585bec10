#include "print/printer.h"

#include "os/printspooler.h"
#include "print/printerqt.h"

#include <QCoreApplication>
#include <utility>

namespace print {

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

PrinterError spoolError() {
    return PrinterError("Le document à imprimer n'a pas pu être préparé");
}

PrinterError newPageError() {
    return PrinterError("L'imprimante n'a pas pu commencer une nouvelle page");
}

namespace {

PrinterError withDetail(const QString& message, const QString& detail) {
    return PrinterError(
        (detail.isEmpty() ? message : message + QStringLiteral(" : ") + detail).toStdString());
}

} // namespace

PrinterError printerGoneError(const QString& printer) {
    return withDetail(
        QStringLiteral("L'imprimante « %1 », choisie à la première impression, n'existe plus")
            .arg(printer),
        {});
}

PrinterError serviceDownError(const QString& printer) {
    return withDetail(
        QStringLiteral("Le service d'impression ne répond pas : rien n'a été envoyé à « %1 »")
            .arg(printer),
        {});
}

PrinterError serviceLostError(const QString& printer) {
    return withDetail(QStringLiteral("Le service d'impression ne répond plus : le travail envoyé "
                                     "à « %1 » n'est peut-être pas imprimé")
                          .arg(printer),
                      {});
}

PrinterError queueRejectsError(const QString& printer, const QString& detail) {
    return withDetail(QStringLiteral("La file d'impression « %1 » refuse les travaux").arg(printer),
                      detail);
}

PrinterError queueStoppedError(const QString& printer, const QString& detail) {
    return withDetail(
        QStringLiteral("L'imprimante « %1 » est arrêtée : le travail attend dans sa file")
            .arg(printer),
        detail);
}

PrinterError jobRefusedError(const QString& printer, const QString& detail) {
    return withDetail(QStringLiteral("L'imprimante « %1 » a refusé le travail").arg(printer),
                      detail);
}

PrinterError jobCanceledError(const QString& printer) {
    return withDetail(
        QStringLiteral("Le travail envoyé à « %1 » a été annulé avant d'être imprimé").arg(printer),
        {});
}

PrinterError jobHeldError(const QString& printer) {
    return withDetail(
        QStringLiteral("Le travail envoyé à « %1 » est retenu dans la file d'impression")
            .arg(printer),
        {});
}

PrinterError submissionError(const QString& printer, const QString& detail) {
    return withDetail(
        QStringLiteral("Le service d'impression n'a pas accepté le travail pour « %1 »")
            .arg(printer),
        detail);
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
    canvas_ = nullptr;
    struct Free {
        bool& printing;
        ~Free() { printing = false; }
    } free{printing_};
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
        static const std::unique_ptr<os::PrintSpooler> spooler = os::makePrintSpooler();
        slot = std::make_unique<Printer>(std::make_unique<QtPrinterDevice>(*spooler));
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

} // namespace print
