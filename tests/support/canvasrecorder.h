#pragma once
// A canvas that records every drawing call, for tests: fixed text metrics, no device, and a call
// kind that can be made to fail.

#include "print/canvas.h"

#include <QList>
#include <QStringList>
#include <optional>
#include <string>

namespace testsupport {

struct CanvasCall {
    enum class Kind { Font, Bold, Brush, Fill, Line, Text, Image };
    Kind kind = Kind::Text;
    QPoint from;         // Fill: left/top; Line: start; Text: top-left; Image: target top-left
    QPoint to;           // Fill: right/bottom (excluded); Line: end; Image: target bottom-right + 1
    QString text;        // Text: the text; Font: the family
    QColor brush;        // the brush colour in force
    bool bold = false;   // the bold style in force
    qreal pointSize = 0; // the point size in force
    QSize imageSize;     // Image: the source picture's size

    // One line such as "line 192,384 4608,384" or "text 202,394 \"Longueur\" bold on #c0c0c0".
    QString describe() const;
};

class RecordingCanvas : public print::Canvas {
public:
    void setFont(const QFont& font) override;
    void setBold(bool bold) override;
    void setBrushColor(const QColor& color) override;
    void fillRect(int left, int top, int right, int bottom) override;
    void drawLine(QPoint from, QPoint to) override;
    void textOut(QPoint topLeft, const QString& text) override;
    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void stretchImage(const QRect& target, const QImage& image) override;

    // Text metrics: every text is `textHeight` high and `charWidth` (bold: `boldCharWidth`)
    // wide per character.
    void setMetrics(int textHeight, int charWidth, int boldCharWidth);
    // The next call of `kind` raises PrinterError(message) instead of drawing.
    void failAt(CanvasCall::Kind kind, std::string message);

    const QList<CanvasCall>& calls() const { return calls_; }
    // describe() of every call of the given kinds, in order (all kinds when empty).
    QStringList described(const QList<CanvasCall::Kind>& kinds = {}) const;
    void clear() { calls_.clear(); }

private:
    CanvasCall record(CanvasCall::Kind kind);
    void failIfAsked(CanvasCall::Kind kind);

    QList<CanvasCall> calls_;
    QColor brush_ = Qt::white;
    bool bold_ = false;
    qreal pointSize_ = 0;
    int textHeight_ = 80;
    int charWidth_ = 40;
    int boldCharWidth_ = 44;
    std::optional<CanvasCall::Kind> failKind_;
    std::string failMessage_;
};

} // namespace testsupport
