#include "os/helpopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace os {

namespace {

// The desktop's handler for the document's type (xdg-open and the like), anchor included.
class DesktopHelpOpener : public HelpOpener {
public:
    bool open(const QUrl& document) override { return QDesktopServices::openUrl(document); }
};

} // namespace

std::unique_ptr<HelpOpener> makeHelpOpener() {
    return std::make_unique<DesktopHelpOpener>();
}

} // namespace os
