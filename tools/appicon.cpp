#include "tools/appicon.h"

#include "tools/palette16.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace tools {

namespace {

QPolygon trapezoid(int left, int right, int bottom, int topLeft, int topRight) {
    return QPolygon({QPoint(left, topLeft), QPoint(left, bottom), QPoint(right, bottom),
                     QPoint(right, topRight)});
}

// The designed 32 x 32 picture, pixel for pixel.
void paintDesigned(QPainter& painter) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawPolygon(trapezoid(3, 28, 30, 1, 18));
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPolygon(trapezoid(8, 23, 25, 9, 19));
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(9, 24, 22, 24); // the panel's shadow in its groove
    painter.drawLine(22, 20, 22, 24);
}

// The same shapes at another size: a designed pixel x covers [x s, (x + 1) s), so each line runs
// through the middle of that span, at least one pixel wide.
void paintScaled(QPainter& painter, double s) {
    const auto at = [s](double x, double y) { return QPointF((x + 0.5) * s, (y + 0.5) * s); };
    const auto shape = [&](const QPolygon& designed) {
        QPolygonF scaled;
        for (const QPoint& p : designed)
            scaled << at(p.x(), p.y());
        return scaled;
    };
    const double width = std::max(1.0, std::round(s));
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(shape(trapezoid(3, 28, 30, 1, 18)));
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPolygon(shape(trapezoid(8, 23, 25, 9, 19)));
    painter.setPen(QPen(QColor(128, 128, 128), width, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(at(9, 24), at(22, 24));
    painter.drawLine(at(22, 20), at(22, 24));
}

} // namespace

QImage drawAppIcon(int size) {
    // Drawn without anti-aliasing, so every pixel keeps one of the 16 colours.
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    if (size == 32)
        paintDesigned(painter);
    else
        paintScaled(painter, size / 32.0);
    painter.end();

    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb p = icon.pixel(x, y);
            if (qAlpha(p) != 0)
                icon.setPixel(x, y, palette16()[nearestIndex(p)]);
        }
    return icon;
}

} // namespace tools
