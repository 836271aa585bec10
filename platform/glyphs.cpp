#include "platform/glyphs.h"

#include "platform/picturescale.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <array>

namespace platform {

namespace {

// A button picture in its two modes, each at its designed size and drawn at twice the
// resolution; a screen gets the one made for its device pixel ratio, resampled between the
// two by the same rule as the drawings (QIcon's own choice would blow the designed picture up
// on a screen of ratio 1.5).
class GlyphEngine : public QIconEngine {
public:
    // Index: [0] Normal, [1] Disabled; each [0] designed, [1] twice the resolution.
    using Pictures = std::array<std::array<QImage, 2>, 2>;

    explicit GlyphEngine(Pictures pictures) : pictures_(std::move(pictures)) {}

    QIconEngine* clone() const override { return new GlyphEngine(pictures_); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return designedSize().scaled(size, Qt::KeepAspectRatio).boundedTo(designedSize());
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {designedSize()}; }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const bool disabled = mode == QIcon::Disabled;
        const auto& set = pictures_[disabled && !pictures_[1][0].isNull() ? 1 : 0];
        int stored = storedScaleFor(scale);
        if (set[stored - 1].isNull())
            stored = 1;
        QPixmap shown = pixmapForRatio(set[stored - 1], stored, scale);
        const QSize wanted = actualSize(size, mode, QIcon::Off);
        if (!shown.isNull() && wanted != designedSize()) {
            shown = shown.scaled(wanted * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            shown.setDevicePixelRatio(scale);
        }
        if (disabled && pictures_[1][0].isNull() && qApp != nullptr) {
            QStyleOption option;
            option.palette = QApplication::palette();
            shown = QApplication::style()->generatedIconPixmap(QIcon::Disabled, shown, &option);
        }
        return shown;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

private:
    QSize designedSize() const { return pictures_[0][0].size(); }

    Pictures pictures_;
};

} // namespace

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
    GlyphEngine::Pictures set;
    const QImage designed(path);
    const QImage twice(twiceResolutionPath(path));
    set[0][0] = glyphPicture(designed, pictures, 0);
    if (set[0][0].isNull())
        return {};
    set[0][1] = glyphPicture(twice, pictures, 0);
    if (pictures >= 2) {
        set[1][0] = glyphPicture(designed, pictures, 1);
        set[1][1] = glyphPicture(twice, pictures, 1);
    }
    // A twin of the wrong size is no twin.
    for (auto& mode : set)
        if (mode[1].size() != 2 * set[0][0].size())
            mode[1] = QImage();
    return QIcon(new GlyphEngine(std::move(set)));
}

} // namespace platform
