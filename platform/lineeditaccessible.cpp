#include "platform/lineeditaccessible.h"

#include "platform/textboundary.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace platform {

namespace {

QString answer(const TextPiece& piece, int* startOffset, int* endOffset) {
    *startOffset = piece.start;
    *endOffset = piece.end;
    return piece.text;
}

} // namespace

LineEditAccessible::LineEditAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit* LineEditAccessible::lineEdit() const {
    return static_cast<QLineEdit*>(widget());
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString LineEditAccessible::text(QAccessible::Text kind) const {
    QString text;
    if (kind == QAccessible::Value) {
        switch (lineEdit()->echoMode()) {
        case QLineEdit::Normal:
            text = lineEdit()->text();
            break;
        case QLineEdit::NoEcho:
            break;
        default:
            text = QString(lineEdit()->text().size(), QLatin1Char('*'));
            break;
        }
    }
    if (text.isEmpty()) {
        text = QAccessibleWidget::text(kind);
    }
    if (text.isEmpty() && kind == QAccessible::Description) {
        text = lineEdit()->placeholderText();
    }
    return text;
}

void LineEditAccessible::setText(QAccessible::Text kind, const QString& text) {
    if (kind != QAccessible::Value) {
        QAccessibleWidget::setText(kind, text);
        return;
    }
    QString newText = text;
    if (const QValidator* validator = lineEdit()->validator()) {
        int position = 0;
        if (validator->validate(newText, position) != QValidator::Acceptable) {
            return;
        }
    }
    lineEdit()->setText(newText);
}

QAccessible::State LineEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = lineEdit()->isReadOnly();
    state.passwordEdit = lineEdit()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

QString LineEditAccessible::readableText() const {
    return lineEdit()->echoMode() == QLineEdit::Normal ? lineEdit()->text() : QString();
}

int LineEditAccessible::resolve(int offset) const {
    if (offset == -2) {
        return cursorPosition();
    }
    if (offset == -1) {
        return characterCount();
    }
    return offset;
}

void LineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !lineEdit()->hasSelectedText()) {
        return;
    }
    *startOffset = lineEdit()->selectionStart();
    *endOffset = lineEdit()->selectionEnd();
}

int LineEditAccessible::selectionCount() const {
    return lineEdit()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        lineEdit()->deselect();
    }
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) {
        return;
    }
    const int count = characterCount();
    const int start = std::clamp(startOffset, 0, count);
    const int end = std::clamp(endOffset, 0, count);
    lineEdit()->setSelection(start, end - start);
}

int LineEditAccessible::cursorPosition() const {
    return lineEdit()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position) {
    lineEdit()->setCursorPosition(std::clamp(position, 0, characterCount()));
}

QString LineEditAccessible::text(int startOffset, int endOffset) const {
    const QString text = readableText();
    const int start = std::clamp(startOffset, 0, int(text.size()));
    const int end =
        std::clamp(endOffset < 0 ? int(text.size()) : endOffset, start, int(text.size()));
    return text.mid(start, end - start);
}

QString LineEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    return answer(platform::textBeforeOffset(readableText(), resolve(offset), boundaryType),
                  startOffset, endOffset);
}

QString LineEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return answer(platform::textAfterOffset(readableText(), resolve(offset), boundaryType),
                  startOffset, endOffset);
}

QString LineEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    return answer(platform::textAtOffset(readableText(), resolve(offset), boundaryType),
                  startOffset, endOffset);
}

int LineEditAccessible::characterCount() const {
    return int(lineEdit()->text().size());
}

// Measured from the caret, whose place the line edit knows, scrolled text included.
QRect LineEditAccessible::characterRect(int offset) const {
    const QString text = lineEdit()->displayText();
    if (offset < 0 || offset >= text.size()) {
        return {};
    }
    const QFontMetrics metrics(lineEdit()->font());
    const QRect caret = lineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int caretAt = std::min(cursorPosition(), int(text.size()));
    const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                  metrics.horizontalAdvance(text.left(caretAt));
    const QRect local(x, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                      caret.height());
    return QRect(lineEdit()->mapToGlobal(local.topLeft()), local.size());
}

int LineEditAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = lineEdit()->mapFromGlobal(point);
    if (!lineEdit()->rect().contains(local)) {
        return -1;
    }
    return lineEdit()->cursorPositionAt(local);
}

void LineEditAccessible::scrollToSubstring(int startIndex, int endIndex) {
    setCursorPosition(endIndex);
    setCursorPosition(startIndex);
}

QString LineEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (offset >= 0 && offset <= characterCount()) {
        *startOffset = 0;
        *endOffset = characterCount();
    }
    return {};
}

void LineEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void LineEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

// Like pasting: the key filter sees none of it.
void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    QString current = lineEdit()->text();
    const int start = std::clamp(startOffset, 0, int(current.size()));
    const int end = std::clamp(endOffset, start, int(current.size()));
    lineEdit()->setText(current.replace(start, end - start, text));
}

} // namespace platform
