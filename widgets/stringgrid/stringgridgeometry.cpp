#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <QScrollBar>
#include <algorithm>

namespace stringgrid {

// ---- geometry ---------------------------------------------------------------------------

int StringGrid::fixedWidth() const {
    return int(d->cols.start(FixedCols(), line));
}
int StringGrid::fixedHeight() const {
    return int(d->rows.start(FixedRows(), line));
}

long long StringGrid::colX(int col) const {
    if (col < FixedCols())
        return d->cols.start(col, line);
    if (col < d->leftCol)
        return hidden;
    return fixedWidth() + d->cols.start(col, line) - d->cols.start(d->leftCol, line);
}

long long StringGrid::rowY(int row) const {
    if (row < FixedRows())
        return d->rows.start(row, line);
    if (row < d->topRow)
        return hidden;
    return fixedHeight() + d->rows.start(row, line) - d->rows.start(d->topRow, line);
}

// The first index from which the rest of the axis fits in `available` pixels.
static int firstFitting(const GridAxis& axis, long long available) {
    const long long offset = axis.start(axis.count(), line) - available;
    if (offset <= axis.start(axis.fixed(), line))
        return axis.fixed();
    int index = axis.indexAt(offset, line);
    if (axis.start(index, line) < offset)
        ++index;
    return std::clamp(index, axis.fixed(), std::max(axis.fixed(), axis.count() - 1));
}

int StringGrid::maxLeftCol() const {
    return firstFitting(d->cols, viewport()->width() - fixedWidth());
}

int StringGrid::maxTopRow() const {
    return firstFitting(d->rows, viewport()->height() - fixedHeight());
}

QRect StringGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return {};
    const long long x = colX(col);
    const long long y = rowY(row);
    if (x == hidden || y == hidden || x >= viewport()->width() || y >= viewport()->height())
        return {};
    return QRect(int(x), int(y), ColWidths(col), RowHeights(row));
}

void StringGrid::MouseToCell(QPoint pos, int& col, int& row) const {
    col = -1;
    row = -1;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= viewport()->width() ||
        pos.y() >= viewport()->height())
        return;
    auto find = [](const GridAxis& axis, int coordinate, int fixedExtent, int first) {
        if (coordinate < fixedExtent)
            return axis.indexAt(coordinate, line);
        const int index = axis.indexAt(coordinate - fixedExtent + axis.start(first, line), line);
        return index >= axis.count() ? -1 : index;
    };
    const int c = find(d->cols, pos.x(), fixedWidth(), d->leftCol);
    const int r = find(d->rows, pos.y(), fixedHeight(), d->topRow);
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount())
        return;
    col = c;
    row = r;
}

int StringGrid::LeftCol() const {
    return d->leftCol;
}
int StringGrid::TopRow() const {
    return d->topRow;
}

void StringGrid::setLeftCol(int col) {
    col = std::clamp(col, FixedCols(), std::max(FixedCols(), maxLeftCol()));
    if (col == d->leftCol)
        return;
    d->leftCol = col;
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void StringGrid::setTopRow(int row) {
    row = std::clamp(row, FixedRows(), std::max(FixedRows(), maxTopRow()));
    if (row == d->topRow)
        return;
    d->topRow = row;
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

static int wholeInView(const GridAxis& axis, int first, long long available) {
    if (available <= 0)
        return 0;
    const long long end = axis.start(first, line) + available;
    int index = axis.indexAt(end, line); // the entry holding the far edge is cut
    return std::max(0, std::min(index, axis.count()) - first);
}

int StringGrid::VisibleColCount() const {
    return wholeInView(d->cols, d->leftCol, viewport()->width() - fixedWidth());
}

int StringGrid::VisibleRowCount() const {
    return wholeInView(d->rows, d->topRow, viewport()->height() - fixedHeight());
}

void StringGrid::scrollIntoView(int col, int row) {
    auto firstShowing = [](const GridAxis& axis, int index, int first, long long available) {
        if (index < axis.fixed())
            return first;
        if (index < first)
            return index;
        // The far edge of `index` must lie within the available extent.
        const long long end = axis.start(index + 1, line);
        if (end - axis.start(first, line) <= available)
            return first;
        int wanted = axis.indexAt(end - available, line);
        if (axis.start(wanted, line) < end - available)
            ++wanted;
        return std::clamp(wanted, first, index);
    };
    const int left = firstShowing(d->cols, col, d->leftCol, viewport()->width() - fixedWidth());
    const int top = firstShowing(d->rows, row, d->topRow, viewport()->height() - fixedHeight());
    if (left != d->leftCol || top != d->topRow) {
        d->leftCol = left;
        d->topRow = top;
        updateScrollBars();
        placeEditor();
        viewport()->update();
    }
}

// Shows a scroll bar only where the cells do not fit: first judged on the whole area inside the
// border, then again on what one bar leaves to the other direction. Qt's as-needed bars would be
// judged on the viewport that the bars themselves narrow, and could keep each other in view.
void StringGrid::showNeededScrollBars() {
    const QSize area = contentsRect().size();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const auto fits = [](const GridAxis& axis, long long available) {
        return firstFitting(axis, available) == axis.fixed();
    };
    bool horizontal = !fits(d->cols, area.width() - fixedWidth());
    bool vertical = !fits(d->rows, area.height() - fixedHeight() - (horizontal ? barHeight : 0));
    if (vertical && !horizontal)
        horizontal = !fits(d->cols, area.width() - fixedWidth() - barWidth);
    if (horizontal && !vertical)
        vertical = !fits(d->rows, area.height() - fixedHeight() - barHeight);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void StringGrid::updateScrollBars() {
    showNeededScrollBars();
    auto setBar = [](QScrollBar* bar, int maximum, int value, int page) {
        const QSignalBlocker blocker(bar);
        bar->setRange(0, std::max(0, maximum));
        bar->setPageStep(std::max(1, page));
        bar->setValue(value);
    };
    setBar(horizontalScrollBar(), maxLeftCol() - FixedCols(), d->leftCol - FixedCols(),
           VisibleColCount());
    setBar(verticalScrollBar(), maxTopRow() - FixedRows(), d->topRow - FixedRows(),
           VisibleRowCount());
}

void StringGrid::scrollContentsBy(int, int) {
    d->leftCol = FixedCols() + horizontalScrollBar()->value();
    d->topRow = FixedRows() + verticalScrollBar()->value();
    placeEditor();
    viewport()->update();
}

void StringGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // A larger view may show cells past the old scroll limit.
    d->leftCol = std::min(d->leftCol, std::max(FixedCols(), maxLeftCol()));
    d->topRow = std::min(d->topRow, std::max(FixedRows(), maxTopRow()));
    updateScrollBars();
    placeEditor();
}

QSize StringGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    return QSize(int(std::min<long long>(d->cols.start(ColCount(), line), 640)) + frame,
                 int(std::min<long long>(d->rows.start(RowCount(), line), 480)) + frame);
}

void StringGrid::InvalidateGrid() {
    viewport()->update();
}

void StringGrid::InvalidateCell(int col, int row) {
    const QRect rect = CellRect(col, row);
    if (!rect.isEmpty())
        viewport()->update(rect.adjusted(0, 0, line, line));
}

} // namespace stringgrid
