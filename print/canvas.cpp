#include "print/canvas.h"

namespace print {

qreal pointSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0) {
        return font.pointSizeF();
    }
    // Screen sizes of this program are pixels at 96 per inch, a point is 1/72 inch.
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : 8.0;
}

} // namespace print
