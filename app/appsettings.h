#pragma once
// The application-wide settings fixed in the program.

#include <QIcon>
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

// The icon of every window, at every size drawn for it (the designed 32 among them).
inline QIcon applicationIcon() {
    QIcon icon(QStringLiteral(":/icons/quilvar.png"));
    for (int size : {16, 22, 24, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/quilvar-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace app
