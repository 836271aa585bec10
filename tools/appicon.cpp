#include "tools/appicon.h"

#include "tools/palette16.h"

#include <QPainter>

namespace tools {

QImage drawAppIcon() {
    // Drawn without anti-aliasing, so every pixel keeps one of the 16 colours.
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    auto trapezoid = [](int left, int right, int bottom, int topLeft, int topRight) {
        return QPolygon({QPoint(left, topLeft), QPoint(left, bottom), QPoint(right, bottom),
                         QPoint(right, topRight)});
    };
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawPolygon(trapezoid(3, 28, 30, 1, 18));
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPolygon(trapezoid(8, 23, 25, 9, 19));
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(9, 24, 22, 24); // the panel's shadow in its groove
    painter.drawLine(22, 20, 22, 24);
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
