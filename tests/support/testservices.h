#pragma once
// What the program hands its windows, for tests: the application's printer over a recording
// device, and a help opener that records what it is asked to open.

#include "os/helpopener.h"
#include "print/printer.h"
#include "tests/support/printerrecorder.h"

#include <QList>
#include <QUrl>
#include <memory>

namespace testsupport {

class RecordingHelpOpener : public os::HelpOpener {
public:
    bool open(const QUrl& document) override {
        opened.append(document);
        return answer;
    }
    QList<QUrl> opened;
    bool answer = true; // whether a viewer took the document
};

class TestServices {
public:
    TestServices() : TestServices(std::make_unique<RecordingPrinterDevice>()) {}

    RecordingPrinterDevice& device; // the printer's
    print::Printer printer;
    RecordingHelpOpener help;

private:
    explicit TestServices(std::unique_ptr<RecordingPrinterDevice> recorder)
        : device(*recorder), printer(std::move(recorder)) {}
};

} // namespace testsupport
