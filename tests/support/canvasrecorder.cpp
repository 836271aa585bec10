#include "tests/support/canvasrecorder.h"

#include "print/printer.h"

namespace testsupport {
namespace {

QString point(QPoint p) {
    return QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
}

QString style(const CanvasCall& call) {
    return QStringLiteral("%1on %2").arg(call.bold ? QStringLiteral("bold ") : QString(),
                                         call.brush.name());
}

} // namespace

QString CanvasCall::describe() const {
    switch (kind) {
    case Kind::Font:
        return QStringLiteral("font %1 %2pt").arg(text).arg(pointSize);
    case Kind::Bold:
        return bold ? QStringLiteral("bold on") : QStringLiteral("bold off");
    case Kind::Brush:
        return QStringLiteral("brush %1").arg(brush.name());
    case Kind::Fill:
        return QStringLiteral("fill %1 %2 %3").arg(point(from), point(to), brush.name());
    case Kind::Line:
        return QStringLiteral("line %1 %2").arg(point(from), point(to));
    case Kind::Text:
        return QStringLiteral("text %1 \"%2\" %3").arg(point(from), text, style(*this));
    case Kind::Image:
        return QStringLiteral("image %1x%2 at %3 %4")
            .arg(imageSize.width())
            .arg(imageSize.height())
            .arg(point(from), point(to));
    }
    return {};
}

void RecordingCanvas::setMetrics(int textHeight, int charWidth, int boldCharWidth) {
    textHeight_ = textHeight;
    charWidth_ = charWidth;
    boldCharWidth_ = boldCharWidth;
}

void RecordingCanvas::failAt(CanvasCall::Kind kind, std::string message) {
    failKind_ = kind;
    failMessage_ = std::move(message);
}

void RecordingCanvas::failIfAsked(CanvasCall::Kind kind) {
    if (failKind_ == kind) {
        failKind_.reset();
        throw print::PrinterError(failMessage_);
    }
}

CanvasCall RecordingCanvas::record(CanvasCall::Kind kind) {
    failIfAsked(kind);
    CanvasCall call;
    call.kind = kind;
    call.brush = brush_;
    call.bold = bold_;
    call.pointSize = pointSize_;
    return call;
}

void RecordingCanvas::setFont(const QFont& font) {
    CanvasCall call = record(CanvasCall::Kind::Font);
    pointSize_ = print::pointSizeOf(font);
    bold_ = font.bold();
    call.text = font.family();
    call.pointSize = pointSize_;
    call.bold = bold_;
    calls_.append(call);
}

void RecordingCanvas::setBold(bool bold) {
    CanvasCall call = record(CanvasCall::Kind::Bold);
    bold_ = bold;
    call.bold = bold;
    calls_.append(call);
}

void RecordingCanvas::setBrushColor(const QColor& color) {
    CanvasCall call = record(CanvasCall::Kind::Brush);
    brush_ = color;
    call.brush = color;
    calls_.append(call);
}

void RecordingCanvas::fillRect(int left, int top, int right, int bottom) {
    CanvasCall call = record(CanvasCall::Kind::Fill);
    call.from = QPoint(left, top);
    call.to = QPoint(right, bottom);
    calls_.append(call);
}

void RecordingCanvas::drawLine(QPoint from, QPoint to) {
    CanvasCall call = record(CanvasCall::Kind::Line);
    call.from = from;
    call.to = to;
    calls_.append(call);
}

void RecordingCanvas::textOut(QPoint topLeft, const QString& text) {
    CanvasCall call = record(CanvasCall::Kind::Text);
    call.from = topLeft;
    call.text = text;
    calls_.append(call);
}

int RecordingCanvas::textWidth(const QString& text) {
    return static_cast<int>(text.size()) * (bold_ ? boldCharWidth_ : charWidth_);
}

int RecordingCanvas::textHeight(const QString& /*text*/) {
    return textHeight_;
}

void RecordingCanvas::stretchImage(const QRect& target, const QImage& image) {
    CanvasCall call = record(CanvasCall::Kind::Image);
    call.from = target.topLeft();
    call.to = target.topLeft() + QPoint(target.width(), target.height());
    call.imageSize = image.size();
    calls_.append(call);
}

QStringList RecordingCanvas::described(const QList<CanvasCall::Kind>& kinds) const {
    QStringList lines;
    for (const CanvasCall& call : calls_) {
        if (kinds.isEmpty() || kinds.contains(call.kind)) {
            lines.append(call.describe());
        }
    }
    return lines;
}

} // namespace testsupport
