#pragma once
// Button pictures: a strip of equal pictures side by side (normal, then greyed), whose
// lower-left pixel gives the colour drawn transparent.

#include <QIcon>
#include <QImage>
#include <QString>

namespace platform {

// Picture `index` (from 0) of a strip cut into `pictures` equal parts, with every pixel of the
// strip's lower-left colour made transparent. A null image when the strip or index is unusable.
QImage glyphPicture(const QImage& strip, int pictures, int index);

// An icon whose Normal mode is the strip's first picture and, when the strip holds two,
// whose Disabled mode is the second; the strip's twin drawn at twice the resolution ("@2x"),
// when there is one, gives the same at twice as many pixels. `pictures` is 1 or 2; a file that
// cannot be read gives an empty icon (the button then shows no picture).
QIcon loadGlyph(const QString& path, int pictures);

} // namespace platform
