#include "platform/fonts.h"

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

QFont dialogFont() {
    ensureSubstitutions();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

QFont arialBold(int pixelSize) {
    ensureSubstitutions();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace platform
