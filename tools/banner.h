#pragma once
// The about box's publisher banner.

#include <QImage>

namespace tools {

// 314 x 43: "Quilvar" lettered on a band of wood.
QImage drawBanner();

} // namespace tools
