#include "platform/helpviewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace platform {
namespace {

QString& helpFile() {
    static QString path;
    return path;
}

} // namespace

void setApplicationHelpFile(const QString& path) {
    helpFile() = path;
}

QString applicationHelpFile() {
    return helpFile();
}

void showHelpContents() {
    if (helpFile().isEmpty()) {
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(helpFile())));
}

} // namespace platform
