// Prints through the real print system: a CUPS scheduler with a PDF queue, set up by
// scripts/cups-e2e.sh, which names its run folder in QUILVAR_CUPS_E2E. Skipped elsewhere.

#include "os/printspooler.h"
#include "platform/messagebox.h"
#include "platform/showfailure.h"
#include "platform/speedbutton.h"
#include "print/printer.h"
#include "print/printerqt.h"
#include "tests/support/testservices.h"
#include "ui/debit/printgrid.h"
#include "ui/debit/tformdebitdlg.h"
#include "ui/main/cuttinglistsource.h"
#include "ui/main/tmainform.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString runFolder() {
    return qEnvironmentVariable("QUILVAR_CUPS_E2E");
}
QString mode() {
    return qEnvironmentVariable("QUILVAR_CUPS_E2E_MODE");
}

QString outputOf(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The scheduler's record of finished jobs: one line per job, its title among the fields.
QStringList pageLog() {
    QFile file(runFolder() + QStringLiteral("/log/page_log"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The PDFs a queue wrote, oldest job first.
QStringList pdfs(const QString& folder = QStringLiteral("out")) {
    QDir out(runFolder() + QLatin1Char('/') + folder);
    QStringList files = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    const QRegularExpression job(QStringLiteral("job_(\\d+)"));
    std::sort(files.begin(), files.end(), [&job](const QString& a, const QString& b) {
        return job.match(a).captured(1).toInt() < job.match(b).captured(1).toInt();
    });
    for (QString& file : files) {
        file = out.filePath(file);
    }
    return files;
}

// Runs this run's control script (scripts/cups-e2e.sh) or a CUPS command; true on success.
bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
bool control(const QStringList& arguments) {
    return run(runFolder() + QStringLiteral("/control"), arguments);
}
// A command line of the fault table: "control ..." or a CUPS command.
bool command(const QString& line) {
    QStringList words = line.split(QLatin1Char(' '));
    const QString program = words.takeFirst();
    return program == QLatin1String("control") ? control(words) : run(program, words);
}

// The cutting list as printed, but the scheduler is stopped while the job is being drawn.
class StoppingGrid : public PrintableGrid {
public:
    int colCount() const override { return 2; }
    int rowCount() const override { return 2; }
    int colWidth(int) const override { return 100; }
    QString cell(int col, int row) const override {
        if (!stopped_) {
            stopped_ = true;
            control({QStringLiteral("stop")});
        }
        return QStringLiteral("%1,%2").arg(col).arg(row);
    }
    int screenWidth() const override { return 200; }
    QFont font() const override { return QFont(); }

private:
    mutable bool stopped_ = false;
};

bool waitForPdfs(int count) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 90000) {
        if (pdfs().size() >= count) {
            return true;
        }
        QTest::qWait(250);
    }
    return false;
}

bool waitForJobs(int count) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 90000) {
        if (pageLog().size() >= count && pdfs().size() >= count) {
            return true;
        }
        QTest::qWait(250);
    }
    return false;
}

} // namespace

class TestPrintEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void printsTheWindowThenTheCuttingListThenTheWindow();
    void eachFaultShowsItsBoxAndTheNextPrintWorks_data();
    void eachFaultShowsItsBoxAndTheNextPrintWorks();
    void withoutDefaultPrinterNothingIsPrinted();
    void aServiceThatStopsAnsweringHoldsNoWindow();

private:
    QList<platform::BoxRequest> boxes_;
    // The program's services, kept for the whole run as the program keeps them.
    std::unique_ptr<os::PrintSpooler> spooler_ = os::makePrintSpooler();
    testsupport::RecordingHelpOpener help_;
    std::unique_ptr<print::QtPrinterDevice> made_ = std::make_unique<print::QtPrinterDevice>(
        *spooler_, [](const print::PrinterError& failure) { platform::ShowFailure(failure); });
    print::QtPrinterDevice& device_ = *made_;
    print::Printer printer_{std::move(made_)};
};

void TestPrintEndToEnd::init() {
    if (runFolder().isEmpty()) {
        QSKIP("no CUPS queue prepared (run scripts/cups-e2e.sh)");
    }
    boxes_.clear();
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request);
        return request.icon == platform::BoxIcon::Information ? platform::BoxAnswer::Yes
                                                              : platform::BoxAnswer::Ok;
    });
}

void TestPrintEndToEnd::cleanupTestCase() {
    platform::setBoxResponder({});
}

void TestPrintEndToEnd::printsTheWindowThenTheCuttingListThenTheWindow() {
    if (mode() != QLatin1String("default")) {
        QSKIP("the queue is not the default printer in this run");
    }
    TMainForm form(printer_, help_);
    TFormDebitDlg list(
        form, [&form] { return ui::cuttingListSource(form); }, printer_);
    form.EditLargeur->setText(QStringLiteral("654"));
    form.SpeedButtonCalcul->click();
    form.SpeedButtonPrint->click();
    list.FormShow(); // the list as its window shows it
    list.SpeedButtonPrint->click();
    form.SpeedButtonPrint->click();
    const TStringAlignGrid& grid = *list.StringAlignGrid;
    QVERIFY(!grid.Cells(1, 1).isEmpty()); // the list holds the calculation's lengths

    QCOMPARE(boxes_.size(), 3); // three confirmations, no error box
    QVERIFY2(waitForJobs(3), qPrintable(pageLog().join('\n')));
    const QStringList jobs = pageLog();
    const QStringList files = pdfs();
    QCOMPARE(files.size(), 3);

    // The queue's titles: none before the cutting list is printed, its title ever after.
    QVERIFY2(!jobs[0].contains(QStringLiteral("Impression Débit")), qPrintable(jobs[0]));
    QVERIFY2(jobs[1].contains(QStringLiteral(" Impression Débit ")), qPrintable(jobs[1]));
    QVERIFY2(jobs[2].contains(QStringLiteral(" Impression Débit ")), qPrintable(jobs[2]));

    // The cutting list: title, date line and every cell, on one page.
    const QString text = outputOf(QStringLiteral("pdftotext"), {files[1], QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("Fiche de Débit")), qPrintable(text));
    const QString today = dateLine(QDate::currentDate(), QLocale::system());
    QVERIFY2(text.contains(today), qPrintable(today + QLatin1String(" in ") + text));
    const QString flat = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < grid.ColCount(); ++c) {
            // The long remark is neither clipped nor wrapped: it runs on past the page's edge, so
            // only its beginning is on paper.
            const QString cell = grid.Cells(c, r).left(40);
            QVERIFY2(flat.contains(cell), qPrintable(cell));
        }
    }
    QVERIFY(outputOf(QStringLiteral("pdfinfo"), {files[1]})
                .contains(QRegularExpression("Pages:\\s+1\\n")));

    // The window: one picture of its client area, as many inches as on the screen.
    for (const QString& file : {files[0], files[2]}) {
        QVERIFY(outputOf(QStringLiteral("pdfinfo"), {file})
                    .contains(QRegularExpression("Pages:\\s+1\\n")));
        const QStringList images =
            outputOf(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .mid(2);
        QCOMPARE(images.size(), 1);
        const QStringList fields = images[0].simplified().split(QLatin1Char(' '));
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
        QCOMPARE(fields.value(3).toInt(), TMainForm::kClientSize.width());
        QCOMPARE(fields.value(4).toInt(), TMainForm::kClientSize.height());
        const double inchesWide = fields.value(3).toDouble() / fields.value(12).toDouble();
        const double inchesHigh = fields.value(4).toDouble() / fields.value(13).toDouble();
        const double ppi = form.logicalDpiY();
        QVERIFY2(qAbs(inchesWide - TMainForm::kClientSize.width() / ppi) < 0.02,
                 qPrintable(images[0]));
        QVERIFY2(qAbs(inchesHigh - TMainForm::kClientSize.height() / ppi) < 0.02,
                 qPrintable(images[0]));
    }

    // The printer chosen at the first print stays chosen when the system's default changes.
    QCOMPARE(outputOf(QStringLiteral("lpadmin"), {"-d", "Autre"}), QString());
    QVERIFY(outputOf(QStringLiteral("lpstat"), {"-d"}).contains(QStringLiteral("Autre")));
    form.SpeedButtonPrint->click();
    QVERIFY2(waitForJobs(4), qPrintable(pageLog().join('\n')));
    QVERIFY2(pageLog().value(3).startsWith(QStringLiteral("PDF ")), qPrintable(pageLog().value(3)));
    QCOMPARE(pdfs(QStringLiteral("out-autre")), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(!device_.following(), 60000);
}

void TestPrintEndToEnd::eachFaultShowsItsBoxAndTheNextPrintWorks_data() {
    QTest::addColumn<QString>("cause"); // before the print; empty: the scheduler stops during it
    QTest::addColumn<QString>("remedy");
    QTest::addColumn<QString>("message");
    QTest::newRow("a queue that rejects jobs")
        << "cupsreject -r entretien PDF"
        << "cupsaccept PDF"
        << "La file d'impression « PDF » refuse les travaux : entretien.";
    QTest::newRow("the scheduler stopped before the job")
        << "control stop"
        << "control start"
        << "Le service d'impression ne répond pas : rien n'a été envoyé à « PDF ».";
    QTest::newRow("the scheduler stopped during the job")
        << QString() << "control start"
        << "Le service d'impression ne répond pas : rien n'a été envoyé à « PDF ».";
    QTest::newRow("the printer chosen at first use deleted since")
        << "control remove PDF"
        << "control restore PDF"
        << "L'imprimante « PDF », choisie à la première impression, n'existe plus.";
    QTest::newRow("a job the printer's backend refuses")
        << "control break PDF"
        << "control mend PDF"
        << "L'imprimante « PDF » a refusé le travail";
}

void TestPrintEndToEnd::eachFaultShowsItsBoxAndTheNextPrintWorks() {
    if (mode() != QLatin1String("default")) {
        QSKIP("the queue is not the default printer in this run");
    }
    QFETCH(QString, cause);
    QFETCH(QString, remedy);
    QFETCH(QString, message);
    TMainForm form(printer_, help_);
    const int jobs = static_cast<int>(pageLog().size());
    form.SpeedButtonPrint->click(); // binds the printer (if not yet) while all is well
    QVERIFY2(waitForJobs(jobs + 1), qPrintable(pageLog().join('\n')));
    // Followed to its end before the fault is brought about.
    QTRY_VERIFY_WITH_TIMEOUT(!device_.following(), 60000);
    const int files = static_cast<int>(pdfs().size());
    QCOMPARE(boxes_.size(), 1);

    if (cause.isEmpty()) {
        printCuttingList(printer_, StoppingGrid());
    } else {
        QVERIFY2(command(cause), qPrintable(cause));
        form.SpeedButtonPrint->click();
    }
    // The confirmation, then the error box once the fault is known.
    QTRY_COMPARE_WITH_TIMEOUT(boxes_.size(), 3, 60000);
    QCOMPARE(boxes_[2].icon, platform::BoxIcon::Error);
    QVERIFY2(boxes_[2].text.startsWith(message), qPrintable(boxes_[2].text));
    qInfo("%s", qPrintable(boxes_[2].text)); // what the user reads, in the log
    QVERIFY(!printer_.printing());
    QCOMPARE(static_cast<int>(pdfs().size()), files);

    // The cause gone, the same printer prints again.
    QVERIFY2(command(remedy), qPrintable(remedy));
    form.SpeedButtonPrint->click();
    QCOMPARE(boxes_.size(), 4); // its confirmation alone
    QVERIFY2(waitForPdfs(files + 1), qPrintable(pageLog().join('\n')));
    QCOMPARE(static_cast<int>(pdfs().size()), files + 1);
    QTRY_VERIFY_WITH_TIMEOUT(!device_.following(), 60000);
    QCOMPARE(boxes_.size(), 4);
}

void TestPrintEndToEnd::withoutDefaultPrinterNothingIsPrinted() {
    if (mode() != QLatin1String("nodefault")) {
        QSKIP("the queue is the default printer in this run");
    }
    const int jobsBefore = static_cast<int>(pageLog().size());
    const int filesBefore = static_cast<int>(pdfs().size());
    TMainForm form(printer_, help_);
    TFormDebitDlg list(
        form, [&form] { return ui::cuttingListSource(form); }, printer_);
    form.SpeedButtonPrint->click();
    list.SpeedButtonPrint->click();

    QCOMPARE(boxes_.size(), 4); // each confirmation, then its error box
    for (int i : {1, 3}) {
        QCOMPARE(boxes_[i].icon, platform::BoxIcon::Error);
        QCOMPARE(boxes_[i].text, QStringLiteral("Aucune imprimante par défaut sélectionnée."));
    }
    QVERIFY(!printer_.printing());
    QTest::qWait(3000); // a job, had one been sent, would have been written by now
    QCOMPARE(static_cast<int>(pageLog().size()), jobsBefore);
    QCOMPARE(static_cast<int>(pdfs().size()), filesBefore);
}

// The scheduler stopped (SIGSTOP) two seconds after "Oui", while the job is followed: the window
// goes on answering its keys, a second print is taken, and both print once the scheduler runs on.
void TestPrintEndToEnd::aServiceThatStopsAnsweringHoldsNoWindow() {
    if (mode() != QLatin1String("default")) {
        QSKIP("the queue is not the default printer in this run");
    }
    TMainForm form(printer_, help_);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int jobs = static_cast<int>(pageLog().size());
    form.SpeedButtonPrint->click();
    QTest::qWait(2000);
    QVERIFY(control({QStringLiteral("pause")}));

    QElapsedTimer clock;
    clock.start();
    form.EditLargeur->setText(QStringLiteral("700"));
    QTest::keySequence(form.EditLargeur, QKeySequence(Qt::Key_F9));
    QCOMPARE(form.Dimensions().Largeur, 700.0);
    form.SpeedButtonPrint->click(); // a second print while the first is followed
    QTest::qWait(3000);             // the window's events run meanwhile
    const qint64 elapsed = clock.elapsed();
    QVERIFY(control({QStringLiteral("resume")}));
    QVERIFY2(elapsed < 4000, qPrintable(QString::number(elapsed)));
    QCOMPARE(boxes_.size(), 2); // the two confirmations

    // The scheduler runs on. A job whose hand-over met the silence is refused in a box that
    // says the service did not answer; every other job prints.
    QTRY_VERIFY_WITH_TIMEOUT(!device_.following(), 90000);
    int refused = 0;
    for (qsizetype i = 2; i < boxes_.size(); ++i) {
        qInfo("%s", qPrintable(boxes_[i].text));
        QVERIFY2(boxes_[i].text.startsWith(QStringLiteral("Le service d'impression ne répond")),
                 qPrintable(boxes_[i].text));
        refused += boxes_[i].text.contains(QStringLiteral("rien n'a été envoyé")) ? 1 : 0;
    }
    QVERIFY(refused < 2);
    QTRY_VERIFY_WITH_TIMEOUT(pageLog().size() >= jobs + 2 - refused, 90000);
}

QTEST_MAIN(TestPrintEndToEnd)
#include "tst_printe2e.moc"
