#pragma once
// The two door drawings of the main window: the trapezoidal door with its dimension lines,
// long side on the left or (mirrored) on the right.

#include <QImage>

namespace tools {

enum class LongSide { Left, Right };

// A 473 x 572 black line drawing on white, or `scale` times as many pixels each way for a
// high-density screen (the same drawing, every line and letter drawn at that resolution). The
// right-hand drawing mirrors every line (pixel column x goes to 473 - x) while its "mm" texts
// read normally at their own places.
QImage drawDoor(LongSide side, int scale = 1);

} // namespace tools
