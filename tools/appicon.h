#pragma once
// The application icon: the door as a right trapezoid, long side on the left.

#include <QImage>

namespace tools {

// The sizes a desktop's icon theme asks for; 32 is the designed one.
inline constexpr int appIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// `size` x `size` (designed at 32) in 16 colours on a transparent ground: black outline, white
// frame, grey panel. Other sizes scale the same shapes and draw them at their own resolution.
QImage drawAppIcon(int size = 32);

} // namespace tools
