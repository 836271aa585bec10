#pragma once
// The about box's publisher banner.

#include <QImage>

namespace tools {

// 314 x 43, or `scale` times as many pixels each way: "Quilvar" lettered on a band of wood.
QImage drawBanner(int scale = 1);

} // namespace tools
