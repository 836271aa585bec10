#pragma once
// The printer's real device: a QPrinter on the system's default printer, painted through a
// QPainter in printer pixels with the origin at the printable area's top-left corner. The page
// reaches the system's spooler as one job (os/printspooler.h), which this device then follows for
// a while, so that a queue gone, refusing or stopped, a service that does not answer and a job
// the printer refuses each raise their own failure.

#include "print/printer.h"

#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace os {
class PrintSpooler;
class SpoolJob;
} // namespace os

namespace print {

class PainterCanvas;

class QtPrinterDevice : public PrinterDevice {
public:
    explicit QtPrinterDevice(os::PrintSpooler& spooler);
    ~QtPrinterDevice() override;

    void select() override;
    QString name() const override;
    QSize pageSize() const override;
    QSize resolution() const override;
    Canvas& beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override;

private:
    void checkQueue(os::SpoolJob& job) const;
    void submit(os::SpoolJob& job);
    void followJob(os::SpoolJob& job);

    os::PrintSpooler& spooler_;
    std::unique_ptr<QPrinter> printer_;
    QString queue_;
    std::unique_ptr<os::SpoolJob> job_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PainterCanvas> canvas_;
};

} // namespace print
