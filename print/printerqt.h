#pragma once
// The printer's real device: a QPrinter on the system's default printer, painted through a
// QPainter in printer pixels with the origin at the printable area's top-left corner. The page
// is drawn into a file of the job's own and handed to the print service by this device, which
// then follows the job for a while, so that a queue gone, refusing or stopped, a service that
// does not answer and a job the printer refuses each raise their own failure.

#include "print/printer.h"

#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

namespace print {

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
    void checkQueue() const;
    void submit(const QString& path);
    void followJob(int job);

    std::unique_ptr<QPrinter> printer_;
    QString queue_;
    std::unique_ptr<QTemporaryFile> document_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PainterCanvas> canvas_;
};

} // namespace print
