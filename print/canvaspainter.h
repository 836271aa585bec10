#pragma once
// The canvas painting on a real device through a QPainter that the caller keeps active.

#include "print/canvas.h"

class QPainter;

namespace print {

class PainterCanvas : public Canvas {
public:
    // `painter` must stay active for as long as this canvas is used.
    explicit PainterCanvas(QPainter& painter);

    void setFont(const QFont& font) override;
    void setBold(bool bold) override;
    void setBrushColor(const QColor& color) override;
    void fillRect(int left, int top, int right, int bottom) override;
    void drawLine(QPoint from, QPoint to) override;
    void textOut(QPoint topLeft, const QString& text) override;
    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void stretchImage(const QRect& target, const QImage& image) override;

private:
    QPainter& painter_;
    QColor brush_ = Qt::white;
};

} // namespace print
