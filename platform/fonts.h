#pragma once
// The designed windows name the fonts "MS Sans Serif" and "Arial"; map them onto families that
// this system has, with the same pixel sizes, so that the designed geometry holds.

#include <QFont>

namespace platform {

// Installed by the first call of any function below; callable again at no harm.
void installFontSubstitutions();

// The family that draws a designed one: the designed family where it is installed, else its
// first installed substitute, else the designed name for Qt's own matching. A font asked for
// by an installed family's name spares Qt's matching a search of every font for a family that
// is not there, once per font loaded (about a millisecond at start-up).
QString installedFamily(const QString& designed);

// "MS Sans Serif", 11 px: the face font of the designed windows, by its installed family.
QFont dialogFont();

// "Arial" bold at a pixel height, by its installed family.
QFont arialBold(int pixelSize);

} // namespace platform
