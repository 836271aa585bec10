#include "app/program.h"

#include "app/appsettings.h"
#include "os/fontpreload.h"
#include "os/helpopener.h"
#include "os/printspooler.h"
#include "platform/accessibility.h"
#include "platform/decimalmark.h"
#include "platform/fonts.h"
#include "platform/helpviewer.h"
#include "platform/showfailure.h"
#include "print/printer.h"
#include "print/printerqt.h"
#include "resources/resources.h"
#include "ui/about/taboutbox.h"
#include "ui/debit/tformdebitdlg.h"
#include "ui/main/cuttinglistsource.h"
#include "ui/main/tmainform.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

namespace app {

Program::Program(os::FontPreload* fontConfig) {
    frenchInstalled_ =
        qtFrench_.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (frenchInstalled_) {
        QCoreApplication::installTranslator(&qtFrench_);
    }
    platform::installFontSubstitutions();
    // Before the first control, so that assistive tools see ours from the start.
    platform::installAccessibility();
    decimalMark_ = std::make_unique<platform::DecimalMarkWatcher>();
    resources::load();
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(desktopEntryName());
    platform::setApplicationHelpFile(helpFilePath());

    spooler_ = os::makePrintSpooler();
    help_ = os::makeHelpOpener();
    // A print's failure known only after the print routine has returned comes in the error box.
    printer_ = std::make_unique<print::Printer>(std::make_unique<print::QtPrinterDevice>(
        *spooler_, [](const print::PrinterError& failure) { platform::ShowFailure(failure); }));

    if (fontConfig != nullptr) {
        fontConfig->wait();
    }
    MainForm_ = std::make_unique<TMainForm>(*printer_, *help_);
    AboutBox_ = std::make_unique<TAboutBox>();
    MainForm_->setAboutBox(AboutBox_.get());
    // Third and last: the cutting list, which reads the main window's fields when shown.
    FormDebitDlg_ = new TFormDebitDlg(
        *MainForm_, [&mainForm = *MainForm_] { return ui::cuttingListSource(mainForm); },
        *printer_);
    MainForm_->setFormDebitDlg(FormDebitDlg_);
}

Program::~Program() {
    if (frenchInstalled_) {
        QCoreApplication::removeTranslator(&qtFrench_);
    }
}

int Program::run() {
    QEventLoop loop;
    QObject::connect(MainForm_.get(), &TMainForm::closed, &loop, &QEventLoop::quit);
    MainForm_->show();
    loop.exec(QEventLoop::AllEvents);
    return 0;
}

} // namespace app
