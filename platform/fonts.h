#pragma once
// The designed windows name the fonts "MS Sans Serif" and "Arial"; map them onto families that
// this system has, with the same pixel sizes, so that the designed geometry holds.

#include <QFont>

namespace platform {

// Installed by the first call of the two functions below; callable again at no harm.
void installFontSubstitutions();

// "MS Sans Serif", 11 px: the face font of the designed windows.
QFont dialogFont();

// "Arial" bold at a pixel height.
QFont arialBold(int pixelSize);

} // namespace platform
