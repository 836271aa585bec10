#include "platform/picturescale.h"

#include "platform/jpegdecoder.h"

#include <QFile>
#include <cmath>
#include <utility>

namespace platform {

QString twiceResolutionPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        dot = path.size();
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

int storedScaleFor(qreal ratio) {
    return ratio > 1.0 ? 2 : 1;
}

QPixmap pixmapForRatio(QImage picture, int scale, qreal ratio) {
    if (picture.isNull() || scale < 1 || ratio <= 0)
        return {};
    if (std::abs(ratio - scale) > 1e-9) {
        const QSize pixels(qRound(picture.width() * ratio / scale),
                           qRound(picture.height() * ratio / scale));
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // Handed over, so that a picture already in the screen's format becomes the pixmap itself.
    QPixmap pixmap = QPixmap::fromImage(std::move(picture));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

StoredPicture loadStoredJpeg(const QString& path, qreal ratio) {
    int scale = storedScaleFor(ratio);
    QString stored = path;
    if (scale == 2) {
        stored = twiceResolutionPath(path);
        if (!QFile::exists(stored)) {
            stored = path;
            scale = 1;
        }
    }
    return {loadJpegResource(stored), scale};
}

QPixmap loadJpegPicture(const QString& path, qreal ratio) {
    StoredPicture picture = loadStoredJpeg(path, ratio);
    return pixmapForRatio(std::move(picture.image), picture.scale, ratio);
}

} // namespace platform
