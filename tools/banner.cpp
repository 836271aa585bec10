#include "tools/banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tools {

namespace {

// A warm oak colour whose shade wanders along slow, slightly wavy grain lines.
QRgb woodAt(double x, double y) {
    const double wave = 2.5 * std::sin(x * 0.021) + 1.2 * std::sin(x * 0.067 + 1.3);
    const double grain = std::sin((y + wave) * 1.9) * 0.5 + std::sin((y + wave * 1.7) * 0.73) * 0.5;
    const double knot = std::exp(-(std::pow((x - 250) / 18.0, 2) + std::pow((y - 24) / 7.0, 2)));
    const double shade = 0.86 + 0.08 * grain - 0.22 * knot;
    auto channel = [&](double base) {
        return static_cast<int>(std::clamp(base * shade, 0.0, 255.0));
    };
    return qRgb(channel(196), channel(144), channel(88));
}

} // namespace

QImage drawBanner(int scale) {
    QImage banner(314 * scale, 43 * scale, QImage::Format_RGB32);
    // Each pixel samples the wood at its centre, in the designed pixels.
    const auto designed = [scale](int p) { return (p + 0.5) / scale - 0.5; };
    for (int y = 0; y < banner.height(); ++y)
        for (int x = 0; x < banner.width(); ++x)
            banner.setPixel(x, y, woodAt(designed(x), designed(y)));

    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    if (scale != 1)
        painter.scale(scale, scale);

    // Light from above: a highlight along the top, a shadow along the bottom.
    QLinearGradient light(0, 0, 0, 43);
    light.setColorAt(0, QColor(255, 240, 210, 90));
    light.setColorAt(0.45, QColor(255, 240, 210, 0));
    light.setColorAt(1, QColor(60, 30, 10, 110));
    painter.fillRect(QRect(0, 0, 314, 43), light);

    // A small trapezoidal door as the mark.
    const QPolygonF door({QPointF(12, 6), QPointF(12, 37), QPointF(36, 37), QPointF(36, 21)});
    painter.setPen(QPen(QColor(70, 38, 16), 2));
    painter.setBrush(QColor(236, 214, 170));
    painter.drawPolygon(door);
    const QPolygonF panel({QPointF(17, 15), QPointF(17, 32), QPointF(31, 32), QPointF(31, 25)});
    painter.setPen(QPen(QColor(70, 38, 16), 1));
    painter.setBrush(QColor(190, 140, 86));
    painter.drawPolygon(panel);

    QFont title("DejaVu Serif");
    title.setBold(true);
    title.setPixelSize(28);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    QPainterPath name;
    name.addText(48, 32, title, "Quilvar");
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 30, 10, 150));
    painter.drawPath(name.translated(1.5, 1.5));
    painter.setBrush(QColor(255, 248, 230));
    painter.drawPath(name);

    QFont motto("DejaVu Sans");
    motto.setItalic(true);
    motto.setPixelSize(10);
    painter.setFont(motto);
    painter.setPen(QColor(255, 244, 220));
    painter.drawText(QRectF(166, 8, 140, 28), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromUtf8("Menuiserie\npanneaux trapézoïdaux"));

    painter.setPen(QPen(QColor(70, 38, 16), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 313, 42));
    return banner;
}

} // namespace tools
