#pragma once
// The drawing surface of a print job: the few operations the printing routines use, in printer
// pixels. One implementation paints on the printer (canvaspainter.h), another records every call
// for tests (canvasrecorder.h).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

namespace print {

class Canvas {
public:
    virtual ~Canvas() = default;

    // Takes `font` for the following texts, keeping its point size at the device's resolution (a
    // font sized in pixels is read as pixels at 96 per inch). The bold style is reset to the
    // font's own.
    virtual void setFont(const QFont& font) = 0;
    virtual void setBold(bool bold) = 0;
    // The colour that fillRect and the background of textOut use (white at the start of a job).
    virtual void setBrushColor(const QColor& color) = 0;
    // Fills from (left, top) up to, not including, (right, bottom) with the brush colour.
    virtual void fillRect(int left, int top, int right, int bottom) = 0;
    // A straight line with the default pen: solid black, one printer pixel wide.
    virtual void drawLine(QPoint from, QPoint to) = 0;
    // Writes `text` with its top-left corner at `topLeft` on a background of the brush colour.
    virtual void textOut(QPoint topLeft, const QString& text) = 0;
    virtual int textWidth(const QString& text) = 0;
    virtual int textHeight(const QString& text) = 0;
    // Copies `image` stretched onto `target`, pixel for pixel without smoothing.
    virtual void stretchImage(const QRect& target, const QImage& image) = 0;
};

// The point size of `font` (a pixel-sized font is taken at 96 pixels per inch).
qreal pointSizeOf(const QFont& font);

} // namespace print
