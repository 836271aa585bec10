#pragma once
// The program's run: what start-up sets up, the windows that live for the whole run, and the
// message loop that lasts until the main window closes.

#include <QTranslator>
#include <memory>

class TAboutBox;
class TFormDebitDlg;
class TMainForm;

namespace os {
class FontPreload;
class HelpOpener;
class PrintSpooler;
} // namespace os
namespace platform {
class DecimalMarkWatcher;
} // namespace platform
namespace print {
class Printer;
} // namespace print

namespace app {

class Program {
public:
    // Start-up, in order: Qt's own French texts, the fonts, the decimal mark, the window icon,
    // the help file, the system's services (print spooler, help opener) and the application's
    // printer, then the windows, each created once and hidden. Needs the QApplication.
    // A font configuration loading ahead is waited for before the windows, the first to ask
    // for a font.
    explicit Program(os::FontPreload* fontConfig = nullptr);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TMainForm& MainForm() const { return *MainForm_; }
    TAboutBox& AboutBox() const { return *AboutBox_; }
    TFormDebitDlg& FormDebitDlg() const { return *FormDebitDlg_; }

    // True when Qt's French texts were found and installed.
    bool frenchInstalled() const { return frenchInstalled_; }

    // Shows the main window and processes events until it has closed. Returns the exit code, 0.
    int run();

private:
    QTranslator qtFrench_;
    bool frenchInstalled_ = false;
    std::unique_ptr<platform::DecimalMarkWatcher> decimalMark_;
    // The services the windows are handed; they outlive the windows.
    std::unique_ptr<os::PrintSpooler> spooler_;
    std::unique_ptr<os::HelpOpener> help_;
    std::unique_ptr<print::Printer> printer_;
    // The windows, in their order of creation; destroyed in the reverse order. The cutting list
    // opens over the main window, its Qt parent, which owns it and destroys it with itself.
    std::unique_ptr<TMainForm> MainForm_;
    std::unique_ptr<TAboutBox> AboutBox_;
    TFormDebitDlg* FormDebitDlg_ = nullptr;
};

} // namespace app
