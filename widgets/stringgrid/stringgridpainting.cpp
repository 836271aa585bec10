#include "platform/colors.h"
#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <QPaintEvent>
#include <QPainter>
#include <vector>

namespace stringgrid {

// ---- painting ---------------------------------------------------------------------------

void StringGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    drawGrid(painter, event->rect());
}

void StringGrid::drawGrid(QPainter& painter, const QRect& area) {
    const int width = viewport()->width();
    const int height = viewport()->height();
    painter.fillRect(area, platform::colorFromValue(d->color));

    // Only the cells in view: the fixed ones, then the ordinary ones from the first shown.
    std::vector<std::pair<int, int>> columns; // (index, x)
    columns.reserve(static_cast<std::size_t>(FixedCols()) + 64);
    for (int c = 0; c < FixedCols(); ++c)
        columns.emplace_back(c, int(colX(c)));
    for (int c = d->leftCol; c < ColCount(); ++c) {
        const long long x = colX(c);
        if (x >= width)
            break;
        columns.emplace_back(c, int(x));
    }
    std::vector<std::pair<int, int>> rows;
    rows.reserve(static_cast<std::size_t>(FixedRows()) + 64);
    for (int r = 0; r < FixedRows(); ++r)
        rows.emplace_back(r, int(rowY(r)));
    for (int r = d->topRow; r < RowCount(); ++r) {
        const long long y = rowY(r);
        if (y >= height)
            break;
        rows.emplace_back(r, int(y));
    }

    const GridRect selection = Selection();
    const bool focused = d->focusWithin;
    const QColor fixedLine = platform::colorFromValue(0x80000010);
    const QColor ordinaryLine(0xC0, 0xC0, 0xC0);
    for (const auto& [r, y] : rows) {
        const int h = RowHeights(r);
        for (const auto& [c, x] : columns) {
            const int w = ColWidths(c);
            const QRect rect(x, y, w, h);
            if (!rect.adjusted(0, 0, line, line).intersects(area))
                continue;
            const bool fixed = c < FixedCols() || r < FixedRows();
            DrawStates state;
            if (fixed)
                state |= DrawState::gdFixed;
            if (!fixed && selection.contains(c, r))
                state |= DrawState::gdSelected;
            if (!fixed && focused && c == d->col && r == d->row)
                state |= DrawState::gdFocused;
            if (w > 0 && h > 0) {
                painter.save();
                painter.setClipRect(rect);
                DrawCell(painter, c, r, rect, state);
                painter.restore();
            }
            const bool vertical = fixed ? bool(d->options & GridOption::goFixedVertLine)
                                        : bool(d->options & GridOption::goVertLine);
            const bool horizontal = fixed ? bool(d->options & GridOption::goFixedHorzLine)
                                          : bool(d->options & GridOption::goHorzLine);
            const QColor lineColor = fixed ? fixedLine : ordinaryLine;
            if (vertical)
                painter.fillRect(QRect(x + w, y, line, h + line), lineColor);
            if (horizontal)
                painter.fillRect(QRect(x, y + h, w + line, line), lineColor);
        }
    }

    // The focus frame around the current cell, unless the editor stands there.
    const bool editorShown = d->editor && d->editor->isVisible();
    if (focused && !editorShown && !(d->options & GridOption::goRowSelect)) {
        const QRect rect = CellRect(d->col, d->row);
        if (!rect.isEmpty()) {
            QPen pen(platform::colorFromValue(platform::clWindowText), 1, Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
}

void StringGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                          DrawStates state) {
    if (d->defaultDrawing) {
        QColor background = platform::colorFromValue(d->color);
        QColor foreground = platform::colorFromValue(platform::clWindowText);
        const bool selectedLook =
            (state & DrawState::gdSelected) &&
            (!(state & DrawState::gdFocused) ||
             (d->options & (GridOption::goDrawFocusSelected | GridOption::goRowSelect)));
        if (state & DrawState::gdFixed) {
            background = platform::colorFromValue(d->fixedColor);
        } else if (selectedLook) {
            background = platform::colorFromValue(platform::clHighlight);
            foreground = platform::colorFromValue(platform::clHighlightText);
        }
        painter.fillRect(rect, background);
        const QString text = Cells(col, row);
        if (!text.isEmpty()) {
            painter.setFont(font());
            painter.setPen(foreground);
            painter.drawText(
                QPoint(rect.left() + 2, rect.top() + 2 + painter.fontMetrics().ascent()), text);
        }
    }
    emit DrawCellEvent(painter, col, row, rect, state);
}

} // namespace stringgrid
