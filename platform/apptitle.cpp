#include "platform/apptitle.h"

#include <QCoreApplication>
#include <algorithm>

namespace platform {

QString titleFromExecutable(const QString& path) {
    qsizetype start = path.lastIndexOf(QLatin1Char('/')) + 1;
    start = std::max(start, path.lastIndexOf(QLatin1Char('\\')) + 1);
    QString name = path.mid(start);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        name.truncate(dot);
    }
    if (name.isEmpty()) {
        return name;
    }
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString applicationTitle() {
    if (QCoreApplication::instance() == nullptr) {
        return {};
    }
    return titleFromExecutable(QCoreApplication::applicationFilePath());
}

} // namespace platform
