#pragma once
// The application-wide settings fixed in the program.

#include <QString>

namespace app {

// The help file, opened on its contents by the help button.
inline QString helpFilePath() {
    return QStringLiteral("D:\\Vorlanique\\Corvendal\\QUILVAR.HLP");
}

// The name of the installed desktop entry (resources/fr.vorlanique.quilvar.desktop), which
// Wayland desktops find the window's icon and menu entry by.
inline QString desktopEntryName() {
    return QStringLiteral("fr.vorlanique.quilvar");
}

// The icon of every window.
inline QString iconResource() {
    return QStringLiteral(":/icons/quilvar.png");
}

} // namespace app
