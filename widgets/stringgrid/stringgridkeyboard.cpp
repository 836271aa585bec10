#include "widgets/stringgrid/gridkeys.h"
#include "widgets/stringgrid/postednotify.h"
#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <QKeyEvent>
#include <algorithm>

namespace stringgrid {

// ---- keyboard ---------------------------------------------------------------------------

bool StringGrid::event(QEvent* event) {
    if (event->type() == GridNotifyEvent::eventType()) {
        auto* notify = static_cast<GridNotifyEvent*>(event);
        guarded([&] { PostedNotification(notify->id(), notify->col(), notify->row()); });
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // With goTabs, Tab moves between cells instead of leaving the grid.
        auto* key = static_cast<QKeyEvent*>(event);
        if (tabMovesBetweenCells(*key, d->options)) {
            keyPressEvent(key);
            if (key->isAccepted())
                return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void StringGrid::PostedNotification(int, int, int) {}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    guarded([&] {
        event->setAccepted(false);
        KeyDown(event);
        if (event->isAccepted())
            return;
        // Enter and Escape are no characters on the grid itself, nor is anything typed with
        // Ctrl, Alt or Meta.
        const QChar ch = gridKeyCharacter(*event);
        const bool modified =
            event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!modified && !ch.isNull() && ch != QChar(13) && ch != QChar(27)) {
            event->accept();
            TypedCharacter(ch);
        }
    });
}

void StringGrid::KeyDown(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int col = d->col;
    int row = d->row;
    const bool rowSelect = d->options & GridOption::goRowSelect;
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        if (rowSelect) {
            setLeftCol(d->leftCol - 1);
            event->accept();
            return;
        }
        --col;
        break;
    case Qt::Key_Right:
        if (rowSelect) {
            setLeftCol(d->leftCol + 1);
            event->accept();
            return;
        }
        ++col;
        break;
    case Qt::Key_Home:
        col = FixedCols();
        if (ctrl)
            row = FixedRows();
        break;
    case Qt::Key_End:
        col = ColCount() - 1;
        if (ctrl)
            row = RowCount() - 1;
        break;
    case Qt::Key_PageUp: {
        const int page = std::max(1, VisibleRowCount());
        row -= page;
        setTopRow(d->topRow - page);
        break;
    }
    case Qt::Key_PageDown: {
        const int page = std::max(1, VisibleRowCount());
        row += page;
        setTopRow(d->topRow + page);
        break;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if ((d->options & GridOption::goTabs) && !rowSelect &&
            TabKey(shift || event->key() == Qt::Key_Backtab))
            event->accept();
        return;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (d->options & GridOption::goEditing) {
            ShowEditor();
            event->accept();
        }
        return;
    default:
        return;
    }
    event->accept();
    col = std::clamp(col, FixedCols(), std::max(FixedCols(), ColCount() - 1));
    row = std::clamp(row, FixedRows(), std::max(FixedRows(), RowCount() - 1));
    const bool extend =
        shift && (d->options & (GridOption::goRangeSelect | GridOption::goRowSelect));
    moveCurrent(col, row, extend);
}

void StringGrid::TypedCharacter(QChar ch) {
    emit KeyPressEvent(ch);
    if (ch.isNull())
        return;
    if ((d->options & GridOption::goEditing) && (ch == QChar(8) || ch >= QChar(32)))
        ShowEditorChar(ch);
}

bool StringGrid::TabKey(bool shift) {
    int col = d->col;
    int row = d->row;
    // At most one pass over the ordinary cells.
    const long long limit =
        static_cast<long long>(ColCount() - FixedCols()) * (RowCount() - FixedRows());
    for (long long step = 0; step < limit; ++step) {
        if (!shift) {
            if (++col >= ColCount()) {
                col = FixedCols();
                if (++row >= RowCount())
                    return false;
            }
        } else if (--col < FixedCols()) {
            col = ColCount() - 1;
            if (--row < FixedRows())
                return false;
        }
        if (TabStops(col)) {
            moveCurrent(col, row, false);
            return true;
        }
        if (step >= ColCount())
            return false; // a whole row without a tab stop: there is none
    }
    return false;
}

} // namespace stringgrid
