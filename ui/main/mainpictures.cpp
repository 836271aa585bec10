#include "ui/main/mainpictures.h"

#include "platform/glyphs.h"
#include "platform/jpegdecoder.h"

namespace ui {

QPixmap loadPicture(const QString& path) {
    return QPixmap::fromImage(platform::loadJpegResource(path));
}

QIcon loadGlyphOrNothing(const QString& path, int pictures) {
    return platform::loadGlyph(path, pictures);
}

} // namespace ui
