#include "app/program.h"

#include "app/appsettings.h"
#include "platform/decimalmark.h"
#include "os/fontpreload.h"
#include "platform/fonts.h"
#include "platform/helpviewer.h"
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
    decimalMark_ = std::make_unique<platform::DecimalMarkWatcher>();
    resources::load();
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(desktopEntryName());
    platform::setApplicationHelpFile(helpFilePath());

    if (fontConfig != nullptr) {
        fontConfig->wait();
    }
    MainForm_ = std::make_unique<TMainForm>();
    AboutBox_ = std::make_unique<TAboutBox>();
    MainForm_->setAboutBox(AboutBox_.get());
    // Third and last: the cutting list, which reads the main window's fields when shown.
    FormDebitDlg_ = std::make_unique<TFormDebitDlg>(
        *MainForm_, [&mainForm = *MainForm_] { return ui::cuttingListSource(mainForm); });
    MainForm_->setFormDebitDlg(FormDebitDlg_.get());
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
