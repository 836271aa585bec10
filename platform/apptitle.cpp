#include "platform/apptitle.h"

#include <QCoreApplication>

namespace platform {

QString titleFromExecutable(const QString& path) {
    qsizetype start = path.lastIndexOf(QLatin1Char('/')) + 1;
    start = std::max(start, path.lastIndexOf(QLatin1Char('\\')) + 1);
    QString name = path.mid(start);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        name.truncate(dot);
    }
    if (name.size() > 1) {
        name = name.left(1) + name.mid(1).toLower();
    }
    return name;
}

QString applicationTitle() {
    if (QCoreApplication::instance() == nullptr) {
        return {};
    }
    return titleFromExecutable(QCoreApplication::applicationFilePath());
}

} // namespace platform
