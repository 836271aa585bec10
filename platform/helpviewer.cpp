#include "platform/helpviewer.h"

#include "os/helpopener.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

QString& helpFile() {
    static QString path;
    return path;
}

} // namespace

QString findHelpDocument(const QString& programDir, const QStringList& dataDirs) {
    const QString document = QString::fromLatin1(kHelpDocument);
    QString besideProgram = QDir::cleanPath(programDir + QStringLiteral("/../share/") + document);
    if (QFileInfo(besideProgram).isFile()) {
        return besideProgram;
    }
    for (const QString& folder : dataDirs) {
        QString path = QDir::cleanPath(folder + QLatin1Char('/') + document);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return besideProgram;
}

void setApplicationHelpFile(const QString& path) {
    helpFile() = path;
}

QString applicationHelpFile() {
    return helpFile();
}

void showHelpContents(os::HelpOpener& opener) {
    const QString path = helpFile();
    if (path.isEmpty()) {
        return;
    }
    if (!QFileInfo(path).isFile()) {
        showNotice(QStringLiteral("Le fichier d'aide est introuvable : %1").arg(path));
        return;
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setFragment(QString::fromLatin1(kHelpContents));
    if (!opener.open(url)) {
        showNotice(
            QStringLiteral("Aucune application n'a pu ouvrir le fichier d'aide : %1").arg(path));
    }
}

} // namespace platform
