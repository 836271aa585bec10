#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>

namespace stringgrid {

namespace {

constexpr int sizingMargin = 2; // how near a border the mouse starts a resize

} // namespace

// ---- mouse ------------------------------------------------------------------------------

bool StringGrid::viewportEvent(QEvent* event) {
    return QAbstractScrollArea::viewportEvent(event);
}

bool StringGrid::sizingBorder(QPoint pos, bool& column, int& index) const {
    const bool inFixedRows = pos.y() < fixedHeight();
    const bool inFixedCols = pos.x() < fixedWidth();
    if (inFixedRows && (d->options & GridOption::goColSizing)) {
        int c = -1;
        int r = -1;
        MouseToCell(QPoint(pos.x() + sizingMargin, pos.y()), c, r);
        for (int candidate : {c, c - 1}) {
            const QRect rect = CellRect(candidate, 0);
            if (candidate >= 0 && !rect.isEmpty() &&
                std::abs(pos.x() - (rect.right() + 1)) <= sizingMargin) {
                column = true;
                index = candidate;
                return true;
            }
        }
    }
    if (inFixedCols && (d->options & GridOption::goRowSizing)) {
        int c = -1;
        int r = -1;
        MouseToCell(QPoint(pos.x(), pos.y() + sizingMargin), c, r);
        for (int candidate : {r, r - 1}) {
            const QRect rect = CellRect(0, candidate);
            if (candidate >= 0 && !rect.isEmpty() &&
                std::abs(pos.y() - (rect.bottom() + 1)) <= sizingMargin) {
                column = false;
                index = candidate;
                return true;
            }
        }
    }
    return false;
}

void StringGrid::sizingCursor(QPoint pos) {
    bool column = false;
    int index = -1;
    if (d->drag == Private::Drag::SizeCol ||
        (d->drag == Private::Drag::None && sizingBorder(pos, column, index) && column))
        viewport()->setCursor(Qt::SplitHCursor);
    else if (d->drag == Private::Drag::SizeRow || (d->drag == Private::Drag::None && index >= 0))
        viewport()->setCursor(Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
}

void StringGrid::GridMouseMove(QPoint viewportPos) {
    sizingCursor(viewportPos);
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
    guarded([&] {
        if (!hasFocus() && !(d->editor && d->editor->hasFocus()))
            setFocus(Qt::MouseFocusReason);
        if (event->button() != Qt::LeftButton)
            return;
        const QPoint pos = event->position().toPoint();
        bool column = false;
        int index = -1;
        if (sizingBorder(pos, column, index)) {
            d->drag = column ? Private::Drag::SizeCol : Private::Drag::SizeRow;
            d->dragIndex = index;
            d->dragOrigin = column ? pos.x() : pos.y();
            d->dragSize = column ? ColWidths(index) : RowHeights(index);
            return;
        }
        int col = -1;
        int row = -1;
        MouseToCell(pos, col, row);
        if (col < 0)
            return;
        if (row < FixedRows() && col >= FixedCols() && (d->options & GridOption::goColMoving)) {
            d->drag = Private::Drag::MoveCol;
            d->dragIndex = col;
            return;
        }
        if (col < FixedCols() && row >= FixedRows() && (d->options & GridOption::goRowMoving)) {
            d->drag = Private::Drag::MoveRow;
            d->dragIndex = row;
            return;
        }
        if (col < FixedCols() || row < FixedRows())
            return;
        const bool extend = (event->modifiers() & Qt::ShiftModifier) &&
                            (d->options & (GridOption::goRangeSelect | GridOption::goRowSelect));
        moveCurrent(col, row, extend);
        d->drag = Private::Drag::Select;
    });
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    guarded([&] {
        const QPoint pos = event->position().toPoint();
        GridMouseMove(pos);
        switch (d->drag) {
        case Private::Drag::Select: {
            if (!(d->options & (GridOption::goRangeSelect | GridOption::goRowSelect)))
                return;
            dragSelectTo(pos);
            break;
        }
        case Private::Drag::SizeCol:
            setColWidths(d->dragIndex, d->dragSize + pos.x() - d->dragOrigin);
            break;
        case Private::Drag::SizeRow:
            setRowHeights(d->dragIndex, d->dragSize + pos.y() - d->dragOrigin);
            break;
        default:
            break;
        }
    });
}

// Extends the selection to the cell under the mouse; past an edge of the view (or over the
// fixed cells) to the next cell beyond it, which scrolls the grid by one cell per move.
void StringGrid::dragSelectTo(QPoint pos) {
    // The ordinary entry at a coordinate: one beyond the view's far edge, one before the first
    // shown over the fixed part, the last one beside the grid's end.
    auto target = [](const GridAxis& axis, int coordinate, int extent, int fixedExtent, int first,
                     int wholeInView) {
        int index;
        if (coordinate >= extent)
            index = first + wholeInView;
        else if (coordinate < fixedExtent)
            index = first - 1;
        else
            index = axis.indexAt(coordinate - fixedExtent + axis.start(first, line), line);
        return std::clamp(index, axis.fixed(), std::max(axis.fixed(), axis.count() - 1));
    };
    const int col =
        target(d->cols, pos.x(), viewport()->width(), fixedWidth(), d->leftCol, VisibleColCount());
    const int row =
        target(d->rows, pos.y(), viewport()->height(), fixedHeight(), d->topRow, VisibleRowCount());
    moveCurrent(col, row, true);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
    guarded([&] {
        const auto drag = d->drag;
        d->drag = Private::Drag::None;
        const QPoint pos = event->position().toPoint();
        if (drag == Private::Drag::MoveCol || drag == Private::Drag::MoveRow) {
            int col = -1;
            int row = -1;
            MouseToCell(QPoint(std::clamp(pos.x(), 0, viewport()->width() - 1),
                               std::clamp(pos.y(), 0, viewport()->height() - 1)),
                        col, row);
            if (drag == Private::Drag::MoveCol && col >= FixedCols() && col != d->dragIndex)
                MoveColumn(d->dragIndex, col);
            if (drag == Private::Drag::MoveRow && row >= FixedRows() && row != d->dragIndex)
                MoveRow(d->dragIndex, row);
        }
        sizingCursor(pos);
    });
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    guarded([&] {
        int col = -1;
        int row = -1;
        MouseToCell(event->position().toPoint(), col, row);
        if (col >= FixedCols() && row >= FixedRows() && (d->options & GridOption::goEditing))
            ShowEditor();
    });
}

// ---- focus ------------------------------------------------------------------------------

void StringGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    updateFocusWithin();
}

void StringGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    updateFocusWithin();
}

// The grid and its editor count as one for focus: moving between them is no loss.
void StringGrid::updateFocusWithin() {
    QWidget* focus = QApplication::focusWidget();
    const bool within =
        focus && (focus == this || focus == viewport() || (d->editor && focus == d->editor));
    if (within == d->focusWithin)
        return;
    d->focusWithin = within;
    guarded([&] {
        if (within)
            FocusGained();
        else
            FocusLost();
    });
    viewport()->update();
}

void StringGrid::FocusLost() {}
void StringGrid::FocusGained() {}

} // namespace stringgrid
