#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {

void installFontSubstitutions() {
    // Liberation Sans has Arial's metrics; DejaVu Sans is the fallback found on every Debian.
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
}

namespace {

// The designed fonts always come with their substitutes.
void ensureSubstitutions() {
    static const bool installed = [] {
        installFontSubstitutions();
        return true;
    }();
    (void)installed;
}

} // namespace

QString installedFamily(const QString& designed) {
    ensureSubstitutions();
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(designed, Qt::CaseInsensitive)) {
        return designed;
    }
    const QStringList substitutes = QFont::substitutes(designed);
    for (const QString& substitute : substitutes) {
        if (installed.contains(substitute, Qt::CaseInsensitive)) {
            return substitute;
        }
    }
    return designed;
}

QFont dialogFont() {
    static const QString family = installedFamily(QStringLiteral("MS Sans Serif"));
    QFont font(family);
    font.setPixelSize(11);
    return font;
}

QFont arialBold(int pixelSize) {
    static const QString family = installedFamily(QStringLiteral("Arial"));
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace platform
