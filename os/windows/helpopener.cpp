#include "os/helpopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace os {

namespace {

// The document's default handler, the browser for a page (ShellExecute, as Qt calls it). Windows
// hands a local file over without its anchor, so the help opens at its top, where its contents
// are.
class ShellHelpOpener : public HelpOpener {
public:
    bool open(const QUrl& document) override { return QDesktopServices::openUrl(document); }
};

} // namespace

std::unique_ptr<HelpOpener> makeHelpOpener() {
    return std::make_unique<ShellHelpOpener>();
}

} // namespace os
