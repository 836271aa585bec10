#include "platform/helpviewer.h"

#include "os/helpopener.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <utility>

namespace platform {
namespace {

QString& helpFile() {
    static QString path;
    return path;
}

DocumentOpener& opener() {
    static DocumentOpener current;
    return current;
}

bool openDocument(const QUrl& url) {
    if (opener()) {
        return opener()(url);
    }
    static const std::unique_ptr<os::HelpOpener> desktop = os::makeHelpOpener();
    return desktop->open(url);
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

DocumentOpener setDocumentOpener(DocumentOpener next) {
    return std::exchange(opener(), std::move(next));
}

void showHelpContents() {
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
    if (!openDocument(url)) {
        showNotice(
            QStringLiteral("Aucune application n'a pu ouvrir le fichier d'aide : %1").arg(path));
    }
}

} // namespace platform
