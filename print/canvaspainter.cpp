#include "print/canvaspainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

namespace print {

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter) {
    painter_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::setFont(const QFont& font) {
    QFont printed(font);
    // A point size is resolved against the painter's device, so the text keeps its physical size.
    printed.setPointSizeF(pointSizeOf(font));
    painter_.setFont(printed);
}

void PainterCanvas::setBold(bool bold) {
    QFont font = painter_.font();
    font.setBold(bold);
    painter_.setFont(font);
}

void PainterCanvas::setBrushColor(const QColor& color) {
    brush_ = color;
}

void PainterCanvas::fillRect(int left, int top, int right, int bottom) {
    if (right > left && bottom > top) {
        painter_.fillRect(QRect(left, top, right - left, bottom - top), brush_);
    }
}

void PainterCanvas::drawLine(QPoint from, QPoint to) {
    painter_.drawLine(from, to);
}

void PainterCanvas::textOut(QPoint topLeft, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(painter_.font(), painter_.device());
    painter_.fillRect(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height())),
                      brush_);
    painter_.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

int PainterCanvas::textWidth(const QString& text) {
    return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(text);
}

int PainterCanvas::textHeight(const QString& /*text*/) {
    return QFontMetrics(painter_.font(), painter_.device()).height();
}

void PainterCanvas::stretchImage(const QRect& target, const QImage& image) {
    painter_.drawImage(target, image);
}

} // namespace print
