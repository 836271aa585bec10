#include "ui/main/mainpictures.h"

#if __has_include("platform/jpegdecoder.h")
#include "platform/glyphs.h"
#include "platform/jpegdecoder.h"
#define QUILVAR_HAVE_PICTURES 1
#endif

namespace ui {

QPixmap loadPicture(const QString& path) {
#ifdef QUILVAR_HAVE_PICTURES
    return QPixmap::fromImage(platform::loadJpegResource(path));
#else
    Q_UNUSED(path);
    return {};
#endif
}

QIcon loadGlyphOrNothing(const QString& path, int pictures) {
#ifdef QUILVAR_HAVE_PICTURES
    return platform::loadGlyph(path, pictures);
#else
    Q_UNUSED(path);
    Q_UNUSED(pictures);
    return {};
#endif
}

} // namespace ui
