#pragma once
// The application icon: the door as a right trapezoid, long side on the left.

#include <QImage>

namespace tools {

// 32 x 32 in 16 colours on a transparent ground: black outline, white frame, grey panel.
QImage drawAppIcon();

} // namespace tools
