#include "platform/helpviewer.h"

#include <QDesktopServices>
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
    // The path is written with a drive letter and backslashes; as a URL it reads the same on
    // every system ("file:///D:/...").
    QString path = helpFile();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace platform
