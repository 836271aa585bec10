#include "platform/messagebox.h"
#include "platform/speedbutton.h"
#include "print/printer.h"
#include "tests/support/testservices.h"
#include "ui/main/tmainform.h"
#include "ui/main/windowprint.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

using print::PrinterError;
using testsupport::CanvasCall;
using testsupport::RecordingPrinterDevice;

namespace {

// A window with a coloured child, so that a capture can be checked pixel by pixel.
struct SampleWindow {
    QWidget window;
    QLabel* patch = nullptr;

    explicit SampleWindow(QSize size) {
        window.resize(size);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 128));
        window.setPalette(palette);
        patch = new QLabel(&window);
        patch->setGeometry(10, 20, 30, 40);
        patch->setAutoFillBackground(true);
        QPalette patchPalette = patch->palette();
        patchPalette.setColor(QPalette::Window, QColor(255, 255, 0));
        patch->setPalette(patchPalette);
    }
};

} // namespace

class TestWindowPrint : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void printedSizeKeepsInches_data();
    void printedSizeKeepsInches();
    void captureIsTheClientAreaAsDrawn();
    void printsOnePictureAtTheTopLeftCorner();
    void largeWindowIsNeverShrunk();
    void jobTitleIsThePrintersCurrentOne();
    void failureAfterOpeningStillClosesTheJob();
    void failureAtOpeningPrintsNothing();
    void printButtonAsksThenPrints_data();
    void printButtonAsksThenPrints();
    void missingPrinterReachesTheErrorBox();
    void jobTheSystemRefusesReachesTheErrorBox();

private:
    QStringList images() const { return device_->recorder().described({CanvasCall::Kind::Image}); }
    void answer(platform::BoxAnswer confirmation);

    std::unique_ptr<testsupport::TestServices> services_;
    RecordingPrinterDevice* device_ = nullptr; // the services' own
    QList<platform::BoxRequest> boxes_;
};

void TestWindowPrint::init() {
    services_ = std::make_unique<testsupport::TestServices>();
    device_ = &services_->device;
    answer(platform::BoxAnswer::Yes);
}

void TestWindowPrint::cleanupTestCase() {
    services_.reset();
    platform::setBoxResponder({});
}

void TestWindowPrint::answer(platform::BoxAnswer confirmation) {
    boxes_.clear();
    platform::setBoxResponder([this, confirmation](const platform::BoxRequest& request) {
        boxes_.append(request);
        return request.icon == platform::BoxIcon::Information ? confirmation
                                                              : platform::BoxAnswer::Ok;
    });
}

void TestWindowPrint::printedSizeKeepsInches_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QSize>("dpi");
    QTest::addColumn<QSize>("dots");
    QTest::newRow("723 pixels on a 600 dpi printer round 4518.75 up to 4519")
        << QSize(723, 600) << 96 << QSize(600, 600) << QSize(4519, 3750);
    QTest::newRow("the same window on a 300 dpi printer is as many inches")
        << QSize(723, 600) << 96 << QSize(300, 300) << QSize(2259, 1875);
    QTest::newRow("a half dot rounds away from zero")
        << QSize(1, 3) << 96 << QSize(48, 16) << QSize(1, 1);
    QTest::newRow("different resolutions keep the proportions")
        << QSize(96, 96) << 96 << QSize(600, 300) << QSize(600, 300);
    QTest::newRow("a 120 ppi display prints at its own inches")
        << QSize(120, 240) << 120 << QSize(600, 600) << QSize(600, 1200);
}

void TestWindowPrint::printedSizeKeepsInches() {
    QFETCH(QSize, pixels);
    QFETCH(int, ppi);
    QFETCH(QSize, dpi);
    QFETCH(QSize, dots);
    QCOMPARE(printedSize(pixels, ppi, dpi), dots);
}

void TestWindowPrint::captureIsTheClientAreaAsDrawn() {
    SampleWindow sample(QSize(120, 90));
    // Never shown, and so covered by nothing and by everything: the capture paints it anyway.
    QImage picture = CaptureClientImage(sample.window);
    picture.setDevicePixelRatio(1);
    QCOMPARE(picture.size(), QSize(120, 90));
    QCOMPARE(picture.pixel(0, 0), qRgb(0, 0, 128));
    QCOMPARE(picture.pixel(10, 20), qRgb(255, 255, 0));
    QCOMPARE(picture.pixel(39, 59), qRgb(255, 255, 0));
    QCOMPARE(picture.pixel(40, 60), qRgb(0, 0, 128));
    // A field changed since the last paint is captured with its new content.
    sample.patch->setGeometry(50, 20, 30, 40);
    picture = CaptureClientImage(sample.window);
    QCOMPARE(picture.pixel(10, 20), qRgb(0, 0, 128));
    QCOMPARE(picture.pixel(50, 20), qRgb(255, 255, 0));
}

void TestWindowPrint::printsOnePictureAtTheTopLeftCorner() {
    SampleWindow sample(QSize(723, 500));
    const int ppi = sample.window.logicalDpiY();
    PrintWindowImage(sample.window, services_->printer);
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "end"}));
    const QSize dots = printedSize(QSize(723, 500), ppi, QSize(600, 600));
    QCOMPARE(
        images(),
        QStringList(
            {QStringLiteral("image 723x500 at 0,0 %1,%2").arg(dots.width()).arg(dots.height())}));
    QCOMPARE(device_->recorder().calls().size(), 1);
}

void TestWindowPrint::largeWindowIsNeverShrunk() {
    device_->setPage(QSize(2400, 3300), QSize(300, 300));
    SampleWindow sample(QSize(1600, 1200));
    const int ppi = sample.window.logicalDpiY();
    PrintWindowImage(sample.window, services_->printer);
    const QSize dots = printedSize(QSize(1600, 1200), ppi, QSize(300, 300));
    QVERIFY(dots.width() > 2400 || ppi > 200);
    QCOMPARE(
        images(),
        QStringList(
            {QStringLiteral("image 1600x1200 at 0,0 %1,%2").arg(dots.width()).arg(dots.height())}));
}

void TestWindowPrint::jobTitleIsThePrintersCurrentOne() {
    SampleWindow sample(QSize(50, 50));
    PrintWindowImage(sample.window, services_->printer);
    services_->printer.setTitle(QStringLiteral("Impression Débit"));
    PrintWindowImage(sample.window, services_->printer);
    QCOMPARE(device_->log(),
             QStringList({"select", "begin \"\"", "end", "begin \"Impression Débit\"", "end"}));
}

void TestWindowPrint::failureAfterOpeningStillClosesTheJob() {
    device_->recorder().failAt(CanvasCall::Kind::Image, "Erreur système.  Code : 8.");
    SampleWindow sample(QSize(50, 50));
    try {
        PrintWindowImage(sample.window, services_->printer);
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), QStringLiteral("Erreur système.  Code : 8."));
    }
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "end"}));
    QVERIFY(!services_->printer.printing());
    PrintWindowImage(sample.window, services_->printer); // the printer is free again
    QCOMPARE(images().size(), 1);
}

void TestWindowPrint::failureAtOpeningPrintsNothing() {
    SampleWindow sample(QSize(50, 50));
    services_->printer.beginDoc();
    try {
        PrintWindowImage(sample.window, services_->printer);
        QFAIL("no failure raised");
    } catch (const PrinterError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), QStringLiteral("Impression en cours"));
    }
    QVERIFY(services_->printer.printing()); // the job already open is left alone
    services_->printer.endDoc();
    QVERIFY(images().isEmpty());
    QCOMPARE(device_->log(), QStringList({"select", "begin \"\"", "end"}));
}

void TestWindowPrint::printButtonAsksThenPrints_data() {
    QTest::addColumn<platform::BoxAnswer>("confirmation");
    QTest::addColumn<int>("printed");
    QTest::newRow("Oui prints the window") << platform::BoxAnswer::Yes << 1;
    QTest::newRow("Non prints nothing") << platform::BoxAnswer::No << 0;
    QTest::newRow("closing the box prints nothing") << platform::BoxAnswer::Closed << 0;
}

void TestWindowPrint::printButtonAsksThenPrints() {
    QFETCH(platform::BoxAnswer, confirmation);
    QFETCH(int, printed);
    answer(confirmation);
    TMainForm form(services_->printer, services_->help);
    form.SpeedButtonPrint->click();
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QStringLiteral("Impression de la fenêtre"));
    QCOMPARE(boxes_[0].caption, QStringLiteral("Information"));
    QCOMPARE(boxes_[0].defaultButton, platform::BoxAnswer::Yes);
    QCOMPARE(boxes_[0].escapeButton, platform::BoxAnswer::No);
    const QSize dots = printedSize(TMainForm::kClientSize, form.logicalDpiY(), QSize(600, 600));
    QCOMPARE(images(), printed == 0 ? QStringList()
                                    : QStringList({QStringLiteral("image 723x624 at 0,0 %1,%2")
                                                       .arg(dots.width())
                                                       .arg(dots.height())}));
    QCOMPARE(device_->log().isEmpty(), printed == 0); // a refusal does not even bind the printer
}

void TestWindowPrint::missingPrinterReachesTheErrorBox() {
    device_->failSelect(print::noDefaultPrinterError());
    TMainForm form(services_->printer, services_->help);
    form.SpeedButtonPrint->click();
    QCOMPARE(boxes_.size(), 2);
    QCOMPARE(boxes_[1].icon, platform::BoxIcon::Error);
    QCOMPARE(boxes_[1].text, QStringLiteral("Aucune imprimante par défaut sélectionnée."));
    QVERIFY(device_->recorder().calls().isEmpty());
    // The program goes on: the next attempt, with a printer, prints.
    device_->failSelect(std::nullopt);
    form.SpeedButtonPrint->click();
    QCOMPARE(images().size(), 1);
}

void TestWindowPrint::jobTheSystemRefusesReachesTheErrorBox() {
    device_->failEnd(print::printerGoneError(QStringLiteral("PDF")));
    TMainForm form(services_->printer, services_->help);
    form.SpeedButtonPrint->click();
    QCOMPARE(boxes_.size(), 2);
    QCOMPARE(boxes_[1].icon, platform::BoxIcon::Error);
    QCOMPARE(
        boxes_[1].text,
        QStringLiteral("L'imprimante « PDF », choisie à la première impression, n'existe plus."));
    QVERIFY(!services_->printer.printing());
    form.SpeedButtonPrint->click();
    QCOMPARE(boxes_.size(), 3); // its confirmation alone
    QCOMPARE(images().size(), 2);
    QCOMPARE(device_->log().count(QStringLiteral("end")), 2);
}

QTEST_MAIN(TestWindowPrint)
#include "tst_windowprint.moc"
