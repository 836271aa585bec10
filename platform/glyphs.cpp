#include "platform/glyphs.h"

#include <QPixmap>

namespace platform {

QImage glyphPicture(const QImage& strip, int pictures, int index) {
    if (strip.isNull() || pictures < 1 || index < 0 || index >= pictures ||
        strip.width() < pictures)
        return {};
    const int width = strip.width() / pictures;
    const QRgb transparent = strip.pixel(0, strip.height() - 1);
    QImage picture =
        strip.copy(index * width, 0, width, strip.height()).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((line[x] & RGB_MASK) == (transparent & RGB_MASK))
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return picture;
}

QIcon loadGlyph(const QString& path, int pictures) {
    const QImage strip(path);
    QIcon icon;
    const QImage normal = glyphPicture(strip, pictures, 0);
    if (normal.isNull())
        return icon;
    icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
    if (pictures >= 2)
        icon.addPixmap(QPixmap::fromImage(glyphPicture(strip, pictures, 1)), QIcon::Disabled);
    return icon;
}

} // namespace platform
