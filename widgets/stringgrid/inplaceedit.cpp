#include "widgets/stringgrid/inplaceedit.h"

#include "widgets/stringgrid/gridkeys.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QKeyEvent>

namespace stringgrid {

InplaceEdit::InplaceEdit(StringGrid* grid) : QLineEdit(grid->viewport()), grid_(grid) {
    setFrame(false);
    hide();
}

void InplaceEdit::KeyPress(QChar&) {}

bool InplaceEdit::event(QEvent* event) {
    // Tab would move the focus out of the grid before keyPressEvent; with goTabs it moves cells.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (tabMovesBetweenCells(*key, grid_->Options())) {
            keyPressEvent(key);
            if (key->isAccepted())
                return true;
        }
    }
    return QLineEdit::event(event);
}

bool InplaceEdit::isGridKey(const QKeyEvent* event) const {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        return ctrl;
    case Qt::Key_Left: // past the text's start or end the caret leaves for the next cell
        return !hasSelectedText() && cursorPosition() == 0;
    case Qt::Key_Right:
        return !hasSelectedText() && cursorPosition() == text().size();
    default:
        return false;
    }
}

void InplaceEdit::keyPressEvent(QKeyEvent* event) {
    grid_->guarded([&] {
        if (isGridKey(event)) {
            event->setAccepted(false);
            grid_->KeyDown(event);
            return;
        }
        const QChar key = gridKeyCharacter(*event);
        if (key.isNull()) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        handleCharacter(event, key);
    });
}

void InplaceEdit::handleCharacter(QKeyEvent* event, QChar key) {
    const QChar typed = key;
    KeyPress(key);
    event->accept();
    if (key.isNull())
        return;
    if (key == QChar(13)) {
        grid_->editorEnter();
    } else if (key == QChar(27)) {
        grid_->editorEscape();
    } else if (key == typed) {
        QLineEdit::keyPressEvent(event);
    } else if (key == QChar(8)) {
        backspace();
    } else {
        insert(QString(key));
    }
}

void InplaceEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    grid_->updateFocusWithin();
}

void InplaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    grid_->updateFocusWithin();
}

} // namespace stringgrid
