#pragma once
// The application's printer: one object per process (the program makes it and hands it to the
// windows), bound at its first use to the system's default printer and kept for the whole run,
// with the job title the print queue shows.

#include "base/failure.h"
#include "print/canvas.h"

#include <QSize>
#include <QString>
#include <exception>
#include <memory>

namespace print {

// Printer failures ("Aucune imprimante par défaut sélectionnée", ...).
class PrinterError : public base::Failure {
    using Failure::Failure;
};

// The printer failures, with their messages.
PrinterError noDefaultPrinterError();   // "Aucune imprimante par défaut sélectionnée"
PrinterError invalidPrinterError();     // "Imprimante sélectionnée incorrecte"
PrinterError printingInProgressError(); // "Impression en cours"
PrinterError notPrintingError();        // a page or canvas asked for outside a job
// What the print system did with a job, or why it could not take it; `printer` is the queue's
// name, `detail` the system's own words (may be empty).
PrinterError spoolError();   // the job's document could not be written
PrinterError newPageError(); // the device refused to start another page
PrinterError printerGoneError(const QString& printer);
PrinterError serviceDownError(const QString& printer);
PrinterError serviceLostError(const QString& printer);
PrinterError queueRejectsError(const QString& printer, const QString& detail);
PrinterError queueStoppedError(const QString& printer, const QString& detail);
PrinterError jobRefusedError(const QString& printer, const QString& detail);
PrinterError jobCanceledError(const QString& printer);
PrinterError jobHeldError(const QString& printer);
PrinterError submissionError(const QString& printer, const QString& detail);
// A failure the printing system reports with its own code and text.
PrinterError systemPrinterError(int code, const QString& text);

// The device side of the printer: the real one drives a QPrinter, tests install a recording one.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    // Binds to the system's default printer with its current default settings; raises
    // noDefaultPrinterError or invalidPrinterError. Called once, at the printer's first use.
    virtual void select() = 0;
    virtual QString name() const = 0;
    // The printable area in printer pixels and the resolution in dots per inch (after select).
    virtual QSize pageSize() const = 0;
    virtual QSize resolution() const = 0;
    // Opens a job under `title` and starts its first page; the canvas lives until endJob.
    virtual Canvas& beginJob(const QString& title) = 0;
    virtual void newPage() = 0;
    // Ends the page, then the job, and gives the job to the print system; raises a PrinterError
    // when the job's document could not be made. What the system does with the job may be known
    // only later: the device reports that on its own. The device is ready for the next job
    // however this ends.
    virtual void endJob() = 0;
};

class Printer {
public:
    explicit Printer(std::unique_ptr<PrinterDevice> device);
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    ~Printer();

    // The title of the next job (empty until set).
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    bool printing() const { return printing_; }
    int pageNumber() const { return pageNumber_; }

    // Each of these binds the printer at its first use and raises that binding's failure.
    QString printerName();
    int pageWidth();
    int pageHeight();
    int dpiX();
    int dpiY();

    // Opens a job under title() and starts its first page; raises printingInProgressError when a
    // job is already open.
    void beginDoc();
    void newPage();
    // Ends the page and the job. The job counts as open until the device has taken it, so a print
    // started meanwhile fails with printingInProgressError; the printer is free for the next job
    // however this ends.
    void endDoc();
    // The drawing surface of the open job.
    Canvas& canvas();

    // Opens a job, runs `body`, and closes the job however `body` ends, so that what was drawn is
    // printed and the printer is free again; a failure of `body` is the one reported.
    template <typename Body> void printDoc(Body&& body) {
        beginDoc();
        try {
            body();
        } catch (...) {
            try {
                endDoc();
            } catch (const std::exception&) {
                // The first failure is the one to report.
            }
            throw;
        }
        endDoc();
    }

private:
    PrinterDevice& selected();

    std::unique_ptr<PrinterDevice> device_;
    Canvas* canvas_ = nullptr;
    QString title_;
    bool selected_ = false;
    bool printing_ = false;
    int pageNumber_ = 0;
};

} // namespace print
