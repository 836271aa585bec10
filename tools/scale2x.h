#pragma once
// The button pictures at twice their resolution.

#include <QImage>

namespace tools {

// An indexed picture at twice its size by the Scale2x rule, kept to slopes: each pixel becomes
// four, and where two neighbours of the same colour meet at a corner on a slope or curve, the
// corner takes their colour, so slopes come out as finer steps instead of doubled ones while
// straight edges and the corners of rectangles stay as drawn. Same colours, same geometry.
QImage scale2x(const QImage& picture);

} // namespace tools
