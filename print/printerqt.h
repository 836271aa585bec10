#pragma once
// The printer's real device: a QPrinter on the system's default printer, painted through a
// QPainter in printer pixels with the origin at the printable area's top-left corner. Once
// painted, the job is the spooler's (os/printspooler.h): it is handed over and followed off the
// window's thread (print/jobfollower.h), so that a queue gone, refusing or stopped, a service that
// does not answer and a job the printer refuses each come back as their own failure, reported
// when known, while the windows go on.

#include "print/jobfollower.h"
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
    // Jobs go to `spooler`, which outlives the device; a failure known once a job has left the
    // window's hands is given to `report` on the window's thread.
    QtPrinterDevice(os::PrintSpooler& spooler, JobFollower::Report report);
    ~QtPrinterDevice() override;

    void select() override;
    QString name() const override;
    QSize pageSize() const override;
    QSize resolution() const override;
    Canvas& beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override;

    // True while a job is still to be handed over or followed.
    bool following() const { return follower_.following(); }

private:
    os::PrintSpooler& spooler_;
    std::unique_ptr<QPrinter> printer_;
    QString queue_;
    std::unique_ptr<os::SpoolJob> job_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PainterCanvas> canvas_;
    JobFollower follower_;
};

} // namespace print
