#include "os/printspooler.h"
#include "print/canvaspainter.h"
#include "print/printer.h"
#include "print/printerqt.h"
#include "tests/support/printerrecorder.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using print::PrinterError;
using testsupport::RecordingPrinterDevice;

class TestPrinter : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void jobTitleIsEmptyUntilSetAndThenKept();
    void bindsOnceAtFirstUseAndKeepsTheBinding();
    void failedBindingRaisesAndIsTriedAgain();
    void secondJobWhileOneIsOpenFails();
    void pagesAndCanvasOnlyInsideAJob();
    void failedOpeningLeavesNoJob();
    void failedJobIsReportedAndLeavesThePrinterFree_data();
    void failedJobIsReportedAndLeavesThePrinterFree();
    void jobStaysOpenWhileTheSystemTakesIt();
    void systemErrorMessageCarriesCodeAndText();
    void noSchedulerMeansNoDefaultPrinter();
    void painterCanvasDrawsWhatItIsAsked();
    void painterCanvasKeepsPointSizeAtDeviceResolution();

private:
    std::unique_ptr<print::Printer> printer_;
    RecordingPrinterDevice* device_ = nullptr; // the printer's
};

void TestPrinter::init() {
    auto device = std::make_unique<RecordingPrinterDevice>();
    device_ = device.get();
    printer_ = std::make_unique<print::Printer>(std::move(device));
}

void TestPrinter::cleanupTestCase() {
    printer_.reset();
}

void TestPrinter::jobTitleIsEmptyUntilSetAndThenKept() {
    print::Printer& printer = *printer_;
    QCOMPARE(printer.title(), QString());
    printer.beginDoc();
    printer.endDoc();
    printer.setTitle(QStringLiteral("Impression Débit"));
    printer.beginDoc();
    printer.endDoc();
    printer.beginDoc();
    printer.endDoc();
    QCOMPARE(device_->log(),
             QStringList({"select", "begin \"\"", "end", "begin \"Impression Débit\"", "end",
                          "begin \"Impression Débit\"", "end"}));
}

void TestPrinter::bindsOnceAtFirstUseAndKeepsTheBinding() {
    print::Printer& printer = *printer_;
    QVERIFY(device_->log().isEmpty());
    QCOMPARE(printer.pageWidth(), 4800);
    QCOMPARE(printer.pageHeight(), 6600);
    QCOMPARE(printer.dpiX(), 600);
    printer.beginDoc();
    printer.endDoc();
    QCOMPARE(device_->log().count(QStringLiteral("select")), 1);
}

void TestPrinter::failedBindingRaisesAndIsTriedAgain() {
    device_->failSelect(print::noDefaultPrinterError());
    print::Printer& printer = *printer_;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            printer.pageWidth();
            QFAIL("no failure raised");
        } catch (const PrinterError& failure) {
            QCOMPARE(QString::fromUtf8(failure.what()),
                     QStringLiteral("Aucune imprimante par défaut sélectionnée"));
        }
    }
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.beginDoc());
    QVERIFY(!printer.printing());
    device_->failSelect(std::nullopt);
    printer.beginDoc();
    printer.endDoc();
    QCOMPARE(device_->log(),
             QStringList({"select", "select", "select", "select", "begin \"\"", "end"}));
}

void TestPrinter::secondJobWhileOneIsOpenFails() {
    print::Printer& printer = *printer_;
    printer.beginDoc();
    try {
        printer.beginDoc();
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), QStringLiteral("Impression en cours"));
    }
    QVERIFY(printer.printing());
    printer.newPage();
    QCOMPARE(printer.pageNumber(), 2);
    printer.endDoc();
    QVERIFY(!printer.printing());
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "page", "end"}));
}

void TestPrinter::pagesAndCanvasOnlyInsideAJob() {
    print::Printer& printer = *printer_;
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.newPage());
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.canvas());
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.endDoc());
    printer.beginDoc();
    printer.canvas().drawLine({0, 0}, {5, 5});
    printer.endDoc();
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.canvas());
    QCOMPARE(device_->recorder().described(), QStringList({"line 0,0 5,5"}));
}

void TestPrinter::failedOpeningLeavesNoJob() {
    device_->failBegin(print::invalidPrinterError());
    print::Printer& printer = *printer_;
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.beginDoc());
    QVERIFY(!printer.printing());
    printer.beginDoc();
    printer.endDoc();
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "end"}));
}

void TestPrinter::failedJobIsReportedAndLeavesThePrinterFree_data() {
    QTest::addColumn<bool>("pageFails");
    QTest::addColumn<bool>("endFails");
    QTest::addColumn<QString>("message");
    QTest::newRow("the system refuses the job as it is handed over")
        << false << true << "La file d'impression « PDF » refuse les travaux : maintenance";
    QTest::newRow("the device refuses a new page") << true << false
                                                   << "L'imprimante n'a pas pu commencer une "
                                                      "nouvelle page";
    QTest::newRow("both: the first failure is the one reported")
        << true << true << "L'imprimante n'a pas pu commencer une nouvelle page";
}

void TestPrinter::failedJobIsReportedAndLeavesThePrinterFree() {
    QFETCH(bool, pageFails);
    QFETCH(bool, endFails);
    QFETCH(QString, message);
    if (pageFails) {
        device_->failNewPage(print::newPageError());
    }
    if (endFails) {
        device_->failEnd(print::queueRejectsError("PDF", "maintenance"));
    }
    print::Printer& printer = *printer_;
    try {
        printer.printDoc([&] { printer.newPage(); });
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), message);
    }
    QVERIFY(!printer.printing());
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.canvas());
    // The cause gone, the next job prints.
    printer.printDoc([&] { printer.canvas().drawLine({0, 0}, {1, 1}); });
    QCOMPARE(device_->log(),
             QStringList({"select", "begin \"\"", "page", "end", "begin \"\"", "end"}));
    QCOMPARE(device_->recorder().described(), QStringList({"line 0,0 1,1"}));
}

void TestPrinter::jobStaysOpenWhileTheSystemTakesIt() {
    print::Printer& printer = *printer_;
    bool openMeanwhile = false;
    QString secondJob;
    device_->onEnd([&] {
        openMeanwhile = printer.printing();
        try {
            printer.beginDoc();
        } catch (const PrinterError& failure) {
            secondJob = QString::fromUtf8(failure.what());
        }
    });
    printer.beginDoc();
    printer.endDoc();
    QVERIFY(openMeanwhile);
    QCOMPARE(secondJob, QStringLiteral("Impression en cours"));
    QVERIFY(!printer.printing());
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "end"}));
}

void TestPrinter::systemErrorMessageCarriesCodeAndText() {
    QCOMPARE(QString::fromUtf8(print::systemPrinterError(5, QStringLiteral("Accès refusé")).what()),
             QStringLiteral("Erreur système.  Code : 5.\nAccès refusé"));
    QCOMPARE(QString::fromUtf8(print::systemPrinterError(3, QString()).what()),
             QStringLiteral("Erreur système.  Code : 3."));
}

void TestPrinter::noSchedulerMeansNoDefaultPrinter() {
    // main() points the print system at a scheduler that does not exist.
    const std::unique_ptr<os::PrintSpooler> spooler = os::makePrintSpooler();
    print::QtPrinterDevice device(*spooler, {});
    try {
        device.select();
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()),
                 QStringLiteral("Aucune imprimante par défaut sélectionnée"));
    }
}

void TestPrinter::painterCanvasDrawsWhatItIsAsked() {
    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        print::PainterCanvas canvas(painter);
        canvas.setBrushColor(QColor(192, 192, 192));
        canvas.fillRect(10, 10, 20, 15);
        canvas.drawLine({0, 50}, {199, 50});
        canvas.setBrushColor(Qt::yellow);
        canvas.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        canvas.textOut({100, 60}, QStringLiteral("x"));
    }
    const QRgb silver = qRgb(192, 192, 192);
    QCOMPARE(page.pixel(10, 10), silver);
    QCOMPARE(page.pixel(19, 14), silver);
    QCOMPARE(page.pixel(20, 14), qRgb(255, 255, 255)); // right edge excluded
    QCOMPARE(page.pixel(19, 15), qRgb(255, 255, 255)); // bottom edge excluded
    QCOMPARE(page.pixel(5, 50), qRgb(0, 0, 0));
    QCOMPARE(page.pixel(5, 49), qRgb(255, 255, 255)); // one pixel wide
    QCOMPARE(page.pixel(5, 51), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(100, 60), QColor(Qt::yellow).rgb()); // text background from the top-left
    QCOMPARE(page.pixel(99, 60), qRgb(255, 255, 255));
}

void TestPrinter::painterCanvasKeepsPointSizeAtDeviceResolution() {
    auto heightAt = [](int dpi, const QFont& font) {
        QImage device(10, 10, QImage::Format_RGB32);
        device.setDotsPerMeterX(qRound(dpi / 0.0254));
        device.setDotsPerMeterY(qRound(dpi / 0.0254));
        QPainter painter(&device);
        print::PainterCanvas canvas(painter);
        canvas.setFont(font);
        return canvas.textHeight(QStringLiteral("Imprimé le"));
    };
    QFont pixels(QStringLiteral("DejaVu Sans"));
    pixels.setPixelSize(11); // 8.25 points at 96 pixels per inch
    const int screen = heightAt(96, pixels);
    const int printer = heightAt(600, pixels);
    QVERIFY2(qAbs(printer - screen * 600.0 / 96.0) <= 600.0 / 96.0 + 2,
             qPrintable(QStringLiteral("%1 at 96, %2 at 600").arg(screen).arg(printer)));
}

int main(int argc, char** argv) {
    // Whatever scheduler this machine runs, the tests never reach it.
    qputenv("CUPS_SERVER", "/nonexistent/quilvar-test/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    TestPrinter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printer.moc"
