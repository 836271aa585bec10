#include "os/helpopener.h"

#include <QDesktopServices>
#include <QUrl>
#include <shlwapi.h>
#include <string>
#include <windows.h>

namespace os {

namespace {

// The command the user's default browser is started with ("C:\...\browser.exe" "%1"), from the
// web's association in the user's settings; empty where there is none.
std::wstring browserCommand() {
    DWORD size = 0;
    if (AssocQueryStringW(ASSOCF_IS_PROTOCOL, ASSOCSTR_COMMAND, L"http", L"open", nullptr, &size) !=
            S_FALSE ||
        size == 0) {
        return {};
    }
    std::wstring command(size, L'\0');
    if (AssocQueryStringW(ASSOCF_IS_PROTOCOL, ASSOCSTR_COMMAND, L"http", L"open", command.data(),
                          &size) != S_OK) {
        return {};
    }
    command.resize(size > 0 ? size - 1 : 0); // without its terminating null
    return command;
}

bool startBrowser(std::wstring command, const std::wstring& url) {
    bool placed = false;
    for (const wchar_t* slot : {L"%1", L"%L", L"%l"}) {
        for (auto at = command.find(slot); at != std::wstring::npos; at = command.find(slot)) {
            command.replace(at, 2, url);
            placed = true;
        }
    }
    if (!placed) {
        command += L" \"" + url + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The user's default browser, given the document's address with its anchor: opening a local
// file the usual way (ShellExecute, as Qt does) hands the browser the file without its anchor.
// Where no browser is registered, the document goes to whatever opens its type.
class BrowserHelpOpener : public HelpOpener {
public:
    bool open(const QUrl& document) override {
        const std::wstring command = browserCommand();
        if (!command.empty() &&
            startBrowser(command, document.toString(QUrl::FullyEncoded).toStdWString())) {
            return true;
        }
        return QDesktopServices::openUrl(document);
    }
};

} // namespace

std::unique_ptr<HelpOpener> makeHelpOpener() {
    return std::make_unique<BrowserHelpOpener>();
}

} // namespace os
