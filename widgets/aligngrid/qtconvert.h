#pragma once
// The settings model's fonts, brushes and colours as Qt paints them.

#include "widgets/aligngrid/model/mybrush.h"
#include "widgets/aligngrid/model/myfont.h"

#include <QBrush>
#include <QFont>

namespace aligngrid {

// Height: negative is the character height in pixels (Qt's pixel size); positive is the cell
// height, of which the character takes about four fifths.
QFont toQFont(const TMyFont& font);

// The brush's colour and hatch; bsClear gives Qt::NoBrush.
QBrush toQBrush(const TMyBrush& brush);

} // namespace aligngrid
