#pragma once
// The application-wide settings fixed in the program.

#include <QString>

namespace app {

// The help file, opened on its contents by the help button.
inline QString helpFilePath() {
    return QStringLiteral("D:\\Vorlanique\\Corvendal\\QUILVAR.HLP");
}

// The icon of every window.
inline QString iconResource() {
    return QStringLiteral(":/icons/quilvar.png");
}

} // namespace app
