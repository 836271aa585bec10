#include "app/program.h"
#include "calc/numbertext.h"
#include "os/fontpreload.h"
#include "platform/helpviewer.h"
#include "platform/label.h"
#include "platform/messagebox.h"
#include "platform/picturebox.h"
#include "platform/speedbutton.h"
#include "support/modalanswer.h"
#include "ui/about/taboutbox.h"
#include "ui/debit/tformdebitdlg.h"
#include "ui/main/tmainform.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <functional>
#include <memory>

// Receives the help requests that would otherwise go to the desktop's document viewer.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpCreatesHiddenWindowsAndSettings();
    void qtTextsAreFrench();
    void aboutBoxShowsTheSameBoxTwiceAndEnterClosesIt();
    void cuttingListButtonOpensTheOneCuttingListWindow();
    void helpOpensTheDocumentOnItsContentsInTheViewer();
    void helpOnAMissingFileSaysSoAndTheProgramGoesOn();
    void runEndsWithCodeZeroWhenTheMainWindowCloses();
    void aThemeSwitchedWhileRunningRecoloursEveryWindow();
    void everyWindowIsTransientForTheWindowThatOpensItAndLogsNothing();

private:
    std::unique_ptr<app::Program> program_;
    QList<platform::BoxRequest> boxes_;
};

void TestProgram::init() {
    boxes_.clear();
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request);
        return platform::BoxAnswer::Ok;
    });
    // As the program starts: the font configuration loading ahead while Qt starts.
    os::FontPreload fontConfig;
    program_ = std::make_unique<app::Program>(&fontConfig);
}

void TestProgram::cleanup() {
    program_.reset();
    QApplication::setPalette(QPalette());
    platform::setBoxResponder({});
}

void TestProgram::startUpCreatesHiddenWindowsAndSettings() {
    TMainForm& main = program_->MainForm();
    TAboutBox& about = program_->AboutBox();
    QCOMPARE(main.objectName(), QStringLiteral("MainForm"));
    QCOMPARE(about.objectName(), QStringLiteral("AboutBox"));
    QVERIFY(!main.isVisible());
    QVERIFY(!about.isVisible());
    // The help document the build tree keeps beside its programs, as an installation does.
    QVERIFY(
        platform::applicationHelpFile().endsWith(QStringLiteral("/share/quilvar/help/aide.html")));
    QVERIFY(QFileInfo(platform::applicationHelpFile()).isFile());
    QCOMPARE(QApplication::windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    // On a high-density screen the title bar gets the icon drawn at 64, not the 32 blown up.
    QCOMPARE(QApplication::windowIcon().pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
    // Title-bar sizes only: the launcher sizes belong to the desktop entry's theme icon.
    QCOMPARE(QApplication::windowIcon().availableSizes().size(), 6);
    QCOMPARE(QApplication::windowIcon().availableSizes().constLast(), QSize(64, 64));
    // The banner of the about box, not yet shown, is known by its header and decoded when the
    // box first shows.
    QVERIFY(about.ProgramIcon->pixmap().isNull());
    QVERIFY(!about.ProgramIcon->pictureSize().isEmpty());
    about.show();
    QVERIFY(!about.ProgramIcon->pixmap().isNull());
    about.hide();
    // The drawing's controls are in the left layout from creation on.
    QCOMPARE(main.LabelPHExt->pos(), QPoint(410, 392));

    QCOMPARE(about.windowTitle(), QStringLiteral("A propos"));
    QCOMPARE(about.size(), QSize(345, 227));
    QCOMPARE(about.ProductName->text(), QStringLiteral("Quilvar"));
    QCOMPARE(about.Version->text(), QStringLiteral("Version 1.0"));
    QVERIFY(!about.LabelEditeur->text().isEmpty());
    QVERIFY(!about.LabelAuteur->text().isEmpty());
    QCOMPARE(about.OKButton->geometry(), QRect(135, 188, 75, 25));
    QVERIFY(about.OKButton->isDefault());
    QCOMPARE(about.ProgramIcon->geometry(), QRect(6, 8, 314, 43));
}

void TestProgram::qtTextsAreFrench() {
    if (!program_->frenchInstalled()) {
        QSKIP("Qt's French translations (qt6-translations-l10n) are not installed");
    }
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("Co&ller"));
}

void TestProgram::aboutBoxShowsTheSameBoxTwiceAndEnterClosesIt() {
    TMainForm& main = program_->MainForm();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QStringList focusedButtons;
    const auto pressEnter = [&](QWidget* modal) {
        // The keys go where the focus is once the box is the application's active window.
        // Where the window manager activates it (X11, or Wine on X11) that comes a moment after
        // it shows.
        QTRY_COMPARE(QApplication::activeWindow(), modal);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : modal;
        focusedButtons << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Return);
    };
    const auto clickAbout = [&] { QTest::mouseClick(main.SpeedButtonAbout, Qt::LeftButton); };
    const QList<QWidget*> first = testsupport::answerModal(clickAbout, pressEnter);
    QVERIFY(!program_->AboutBox().isVisible());
    const QList<QWidget*> second = testsupport::answerModal(clickAbout, pressEnter);
    QCOMPARE(first.size(), 1);
    QCOMPARE(second.size(), 1);
    QCOMPARE(first[0], &program_->AboutBox());
    QCOMPARE(second[0], &program_->AboutBox());
    QCOMPARE(focusedButtons, QStringList({"OKButton", "OKButton"}));
    QVERIFY(!program_->AboutBox().isVisible());
    QVERIFY(main.isVisible());
    QVERIFY(boxes_.isEmpty());
}

void TestProgram::cuttingListButtonOpensTheOneCuttingListWindow() {
    TMainForm& main = program_->MainForm();
    TFormDebitDlg& list = program_->FormDebitDlg();
    QCOMPARE(list.objectName(), QStringLiteral("FormDebitDlg"));
    QVERIFY(!list.isVisible());
    QCOMPARE(main.FormDebitDlg(), &list);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const auto clickList = [&] { QTest::mouseClick(main.SpeedButtonDebit, Qt::LeftButton); };
    const auto closeList = [](QWidget* modal) {
        if (auto* dialog = qobject_cast<TFormDebitDlg*>(modal)) {
            QTest::mouseClick(dialog->SBtnClose, Qt::LeftButton);
        } else {
            modal->close();
        }
    };
    const QList<QWidget*> seen = testsupport::answerModal(clickList, closeList);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0], &list);
    QVERIFY(!list.isVisible());
    QVERIFY(boxes_.isEmpty());
}

void TestProgram::helpOpensTheDocumentOnItsContentsInTheViewer() {
    UrlRecorder viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    QTest::mouseClick(program_->MainForm().SpeedButtonHelp, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(viewer.opened.size(), 1);
    QCOMPARE(viewer.opened[0].toLocalFile(), platform::applicationHelpFile());
    QCOMPARE(viewer.opened[0].fragment(), QStringLiteral("sommaire"));
    QVERIFY(boxes_.isEmpty());
}

void TestProgram::helpOnAMissingFileSaysSoAndTheProgramGoesOn() {
    TMainForm& main = program_->MainForm();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QString missing = QDir::temp().filePath(QStringLiteral("quilvar-no-such-help.html"));
    platform::setApplicationHelpFile(missing);
    const QString before = main.LabelDiag->text();
    QTest::mouseClick(main.SpeedButtonHelp, Qt::LeftButton);
    QCOMPARE(boxes_.size(), 1);
    QVERIFY2(boxes_[0].text.endsWith(missing), qPrintable(boxes_[0].text));
    QVERIFY(main.isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(main.LabelDiag->text(), before);
}

void TestProgram::runEndsWithCodeZeroWhenTheMainWindowCloses() {
    TMainForm& main = program_->MainForm();
    bool timedOut = false;
    QTimer::singleShot(5000, [&] {
        timedOut = true;
        main.close();
    });
    QTimer::singleShot(50, [&] {
        // The focus starts on the close button: Enter closes the program.
        main.activateWindow();
        QWidget* focus = main.focusWidget();
        QCOMPARE(focus, main.BitBtnClose);
        QTest::keyClick(focus, Qt::Key_Return);
    });
    const int code = program_->run();
    QVERIFY(!timedOut);
    QCOMPARE(code, 0);
    QVERIFY(!main.isVisible());
}

void TestProgram::aThemeSwitchedWhileRunningRecoloursEveryWindow() {
    QPalette dark(QColor(238, 238, 236), QColor(53, 53, 53), QColor(70, 70, 70), QColor(30, 30, 30),
                  QColor(40, 40, 40), QColor(238, 238, 236), Qt::white, QColor(45, 45, 45),
                  QColor(53, 53, 53));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // the windows hear of it through a posted event
    const QColor face = dark.color(QPalette::Button);
    // Each window's face, where nothing stands on it (in logical pixels, at any screen density).
    const auto at = [](const QImage& image, QPoint p) {
        return image.pixelColor(p * image.devicePixelRatio());
    };
    QCOMPARE(at(program_->MainForm().grab().toImage(), {478, 600}), face);
    QCOMPARE(at(program_->AboutBox().grab().toImage(), {4, 4}), face);
    TFormDebitDlg& list = program_->FormDebitDlg();
    const QImage sheet = list.grab().toImage();
    QCOMPARE(at(sheet, {200, 16}), face);
    // The list's cells take the theme's window and text colours as they are painted.
    const QRect cell = list.StringAlignGrid->CellRect(2, 2); // not the selected current cell
    const QPoint inCell =
        list.StringAlignGrid->viewport()->mapTo(&list, cell.topLeft() + QPoint(3, 3));
    QCOMPARE(at(sheet, inCell), dark.color(QPalette::Base));
}

namespace {

QStringList logged;

// Qt's Windows platform reports each window for which Windows has no per-monitor scaling of the
// frame: ERROR_CALL_NOT_IMPLEMENTED (120), from a system that lacks the call (Wine 8). Our windows
// cannot change that; any other failure of the call is still logged.
const QRegularExpression kScalingNotImplemented(
    QStringLiteral(R"(^EnableNonClientDpiScaling\(\) failed for HWND 0x[0-9a-f]+ \(120\) )"));

void recordMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg &&
        !kScalingNotImplemented.match(message).hasMatch()) {
        logged << message;
    }
}

} // namespace

void TestProgram::everyWindowIsTransientForTheWindowThatOpensItAndLogsNothing() {
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
    TMainForm& main = program_->MainForm();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QList<QWindow*> owners;
    const auto closeIt = [&owners](QWidget* modal) {
        owners << modal->windowHandle()->transientParent();
        if (auto* list = qobject_cast<TFormDebitDlg*>(modal)) {
            QTest::mouseClick(list->SBtnClose, Qt::LeftButton);
        } else {
            QTest::keyClick(modal, Qt::Key_Return);
        }
    };
    for (int time = 0; time < 2; ++time) {
        testsupport::answerModal([&] { QTest::mouseClick(main.SpeedButtonDebit, Qt::LeftButton); },
                                 closeIt);
        testsupport::answerModal([&] { QTest::mouseClick(main.SpeedButtonAbout, Qt::LeftButton); },
                                 closeIt);
    }
    qInstallMessageHandler(previous);
    QCOMPARE(owners, QList<QWindow*>(4, main.windowHandle()));
    QVERIFY2(logged.isEmpty(), qPrintable(logged.join(u'\n')));
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
