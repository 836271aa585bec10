#include "widgets/aligngrid/cellpainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace aligngrid {

namespace {

// A hatched brush draws its lines over the surface's own background, white.
void fill(QPainter& painter, const QRect& rect, const QBrush& brush) {
    switch (brush.style()) {
    case Qt::NoBrush:
        return;
    case Qt::SolidPattern:
        break;
    default:
        painter.fillRect(rect, Qt::white);
        break;
    }
    painter.fillRect(rect, brush);
}

} // namespace

void paintCell(QPainter& painter, const QRect& rect, const QString& text, const CellLook& look) {
    painter.save();
    fill(painter, rect, look.brush);
    if (!text.isEmpty()) {
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.setFont(look.font);
        painter.setPen(look.textColor);
        painter.setBackgroundMode(Qt::TransparentMode);
        const QFontMetrics metrics(look.font);
        const int right = rect.left() + rect.width(); // one past the last pixel
        const int bottom = rect.top() + rect.height();
        int y = rect.top() + 2;
        qsizetype start = 0;
        while (y < bottom) { // lines below the cell would be clipped away
            qsizetype end = text.indexOf(QChar(13), start);
            if (end < 0)
                end = text.size(); // the text ends as if with one more carriage return
            const QString line = text.mid(start, end - start);
            const int width = metrics.horizontalAdvance(line);
            int x;
            switch (look.alignment) {
            case alRight:
                x = right - width - 2;
                break;
            case alCenter:
                x = rect.left() + (rect.width() - width) / 2;
                break;
            default:
                x = rect.left() + 2;
                break;
            }
            if (!line.isEmpty())
                painter.drawText(QPoint(x, y + metrics.ascent()), line);
            start = end + 1;
            if (start < text.size() && text.at(start) == QChar(10))
                ++start;
            y += metrics.height();
            if (start >= text.size())
                break;
        }
    }
    painter.restore();
}

} // namespace aligngrid
