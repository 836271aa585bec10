#pragma once
// What assistive tools see of a line edit: an editable text, as Qt's own interface shows it,
// with the pieces of text (word, sentence...) answered by platform::textAtOffset. Qt 6.4's own
// answer never returns for a word asked at the end of the text, and a screen reader asks
// exactly that when the caret moves by word to the end of a field (Ctrl+Right).

#include <QAccessibleWidget>

class QLineEdit;

namespace platform {

class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit);

    QLineEdit* lineEdit() const;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleInterface
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    // The text a tool may read: none of a password field.
    QString readableText() const;
    // The offset a tool gives, -2 meaning the caret and -1 the end of the text.
    int resolve(int offset) const;
};

} // namespace platform
