#pragma once
// The application-wide settings fixed in the program.

#include "platform/helpviewer.h"

#include <QCoreApplication>
#include <QIcon>
#include <QStandardPaths>
#include <QString>

namespace app {

// The help document, opened on its contents by the help button: installed with the program
// (or in the build tree, beside its programs), else in one of the system's data folders.
inline QString helpFilePath() {
    return platform::findHelpDocument(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

// The name of the installed desktop entry (resources/fr.vorlanique.quilvar.desktop), which
// Wayland desktops find the window's icon and menu entry by.
inline QString desktopEntryName() {
    return QStringLiteral("fr.vorlanique.quilvar");
}

// The icon of every window, at the sizes a title bar or task bar shows (the designed 32 among
// them, 64 for it on a high-density screen). An X11 window carries every size it is given to
// the window manager at each start, decoded and copied twice over, so the larger ones drawn for
// launchers and menus stay with the desktop entry's theme icon (share/icons/hicolor).
inline QIcon applicationIcon() {
    QIcon icon(QStringLiteral(":/icons/quilvar.png"));
    for (int size : {16, 22, 24, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/quilvar-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace app
