#include "widgets/aligngrid/newinplaceedit.h"

#include "widgets/aligngrid/stringaligngrid.h"
#include "widgets/stringgrid/postednotify.h"

using namespace aligngrid;

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid* grid) : stringgrid::InplaceEdit(grid) {
    applyAlignment();
}

void TNewInplaceEdit::setAlignment(TMyAlign alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    applyAlignment();
    selectAll();
}

void TNewInplaceEdit::applyAlignment() {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment_ == alRight)
        horizontal = Qt::AlignRight;
    else if (alignment_ == alCenter)
        horizontal = Qt::AlignHCenter;
    QLineEdit::setAlignment(horizontal | Qt::AlignVCenter);
}

void TNewInplaceEdit::KeyPress(QChar& key) {
    if (EditCol == -1 || EditRow == -1) {
        key = QChar();
        return;
    }
    if (key == QChar(13)) {
        stringgrid::postNotification(Grid(), AG_EDITENTER, EditCol, EditRow);
    } else if (key == QChar(27)) {
        setText(StartingText); // the grid takes the editor's text into the cell
        stringgrid::postNotification(Grid(), AG_CANCELEDIT, EditCol, EditRow);
        key = QChar(13);
    }
    stringgrid::InplaceEdit::KeyPress(key);
}

void TNewInplaceEdit::keepSelection() {
    keptStart_ = hasSelectedText() ? selectionStart() : cursorPosition();
    keptLength_ = selectionLength();
}

void TNewInplaceEdit::keptSelection(int& start, int& length) const {
    if (hasFocus()) {
        start = hasSelectedText() ? selectionStart() : cursorPosition();
        length = selectionLength();
    } else {
        start = keptStart_;
        length = keptLength_;
    }
}

void TNewInplaceEdit::focusOutEvent(QFocusEvent* event) {
    keepSelection();
    stringgrid::InplaceEdit::focusOutEvent(event);
}
