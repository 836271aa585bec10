#pragma once
// Paints one cell of the aligned grid: the background, then the text line by line, each line
// aligned by itself and clipped to the cell.

#include "widgets/aligngrid/model/aligntypes.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace aligngrid {

struct CellLook {
    QFont font;
    QColor textColor;
    QBrush brush;
    TMyAlign alignment = alLeft;
};

// Lines are separated by a carriage return, optionally followed by a line feed. The first line
// starts 2 px below the cell's top; right-aligned lines end 2 px left of its right edge,
// left-aligned ones start 2 px right of its left edge; a centred one may start left of the cell
// when it is wider and is then clipped on both sides.
void paintCell(QPainter& painter, const QRect& rect, const QString& text, const CellLook& look);

} // namespace aligngrid
