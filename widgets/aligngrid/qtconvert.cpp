#include "widgets/aligngrid/qtconvert.h"

#include "platform/colors.h"

#include <algorithm>

namespace aligngrid {

QFont toQFont(const TMyFont& font) {
    QFont result(QString::fromStdString(font.Name()));
    const int height = font.Height();
    if (height < 0)
        result.setPixelSize(-height);
    else if (height > 0)
        result.setPixelSize(std::max(1, height * 4 / 5));
    if (font.Pitch() == fpFixed) {
        result.setFixedPitch(true);
        result.setStyleHint(QFont::Monospace);
    }
    const TFontStyles style = font.Style();
    result.setBold(style & fsBold);
    result.setItalic(style & fsItalic);
    result.setUnderline(style & fsUnderline);
    result.setStrikeOut(style & fsStrikeOut);
    return result;
}

QBrush toQBrush(const TMyBrush& brush) {
    const QColor color = platform::colorFromValue(brush.Color());
    switch (brush.Style()) {
    case bsSolid:
        return QBrush(color, Qt::SolidPattern);
    case bsClear:
        return QBrush(Qt::NoBrush);
    case bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case bsVertical:
        return QBrush(color, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case bsCross:
        return QBrush(color, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    }
    return QBrush(color, Qt::SolidPattern);
}

} // namespace aligngrid
