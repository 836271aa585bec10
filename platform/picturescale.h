#pragma once
// Pictures for high-density screens. Every picture is stored at its designed size and, beside
// it, drawn at twice that resolution ("name@2x.ext"); a screen shows the one made for its
// device pixel ratio, with that ratio set on the pixmap so it keeps its designed size in
// logical pixels.

#include <QImage>
#include <QPixmap>
#include <QString>

namespace platform {

// "folder/name.ext" -> "folder/name@2x.ext".
QString twiceResolutionPath(const QString& path);

// The stored resolution a device pixel ratio draws from: 1 (the designed picture) up to a
// ratio of 1, 2 (the sharper one, scaled down where the ratio lies between) above.
int storedScaleFor(qreal ratio);

// `picture` holds `scale` pixels per designed pixel. The pixmap for `ratio`: the picture itself
// when the ratio is its scale, else resampled smoothly to the ratio; its device pixel ratio is
// `ratio` either way.
QPixmap pixmapForRatio(QImage picture, int scale, qreal ratio);

// A stored resolution of a picture, decoded: `scale` pixels per designed pixel.
struct StoredPicture {
    QImage image;
    int scale = 1;
};

// Decodes the stored resolution of the JPEG picture at `path` that `ratio` draws from (the
// designed one when there is no twin). Touches no pixmap, so it may run on any thread. A
// picture the decoder refuses raises its failure.
StoredPicture loadStoredJpeg(const QString& path, qreal ratio);

// The JPEG picture at `path` for `ratio`: loadStoredJpeg, then pixmapForRatio.
QPixmap loadJpegPicture(const QString& path, qreal ratio);

} // namespace platform
