#pragma once
// The printer's real device: a QPrinter on the system's default printer, painted through a
// QPainter in printer pixels with the origin at the printable area's top-left corner.

#include "platform/printer.h"

#include <memory>

class QPainter;
class QPrinter;

namespace platform {

class PainterCanvas;

class QtPrinterDevice : public PrinterDevice {
public:
    QtPrinterDevice();
    ~QtPrinterDevice() override;

    void select() override;
    QString name() const override;
    QSize pageSize() const override;
    QSize resolution() const override;
    Canvas& beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override;

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PainterCanvas> canvas_;
};

} // namespace platform
