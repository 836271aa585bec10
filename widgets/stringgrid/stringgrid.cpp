#include "widgets/stringgrid/stringgrid.h"

#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/stringgridaccessible.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <QAccessible>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <utility>

namespace stringgrid {

namespace {

class FixedCountError : public base::Failure {
public:
    explicit FixedCountError(bool columns)
        : Failure(columns ? "Le nombre de colonnes fixes doit être inférieur au nombre de colonnes"
                          : "Le nombre de lignes fixes doit être inférieur au nombre de lignes") {}
};

} // namespace

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent), d(new Private) {
    installStringGridAccessibility();
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setTracking(false);
    verticalScrollBar()->setTracking(false);
    updateScrollBars();
}

StringGrid::~StringGrid() {
    // The viewport would delete the editor only after the grid's state has gone, and an editor
    // losing the focus reports to the grid: it goes first.
    delete d->editor;
}

void StringGrid::setFailureReporter(FailureReporter reporter) {
    d->reportFailure = std::move(reporter);
}

void StringGrid::reportFailure(const std::exception& failure) const noexcept {
    if (d->reportFailure)
        d->reportFailure(failure);
    else
        qWarning("%s", failure.what());
}

// ---- counts and sizes -------------------------------------------------------------------

int StringGrid::ColCount() const {
    return d->cols.count();
}
int StringGrid::RowCount() const {
    return d->rows.count();
}
int StringGrid::FixedCols() const {
    return d->cols.fixed();
}
int StringGrid::FixedRows() const {
    return d->rows.fixed();
}

void StringGrid::setColCount(int count) {
    count = std::max(1, count);
    if (count == ColCount())
        return;
    d->cols.setCount(count);
    if (FixedCols() >= count)
        d->cols.setFixed(count - 1);
    d->texts.truncate(count);
    d->notTabStops.truncate(count);
    clampPositions();
}

void StringGrid::setRowCount(int count) {
    count = std::max(1, count);
    if (count == RowCount())
        return;
    d->rows.setCount(count);
    if (FixedRows() >= count)
        d->rows.setFixed(count - 1);
    d->texts.forEachPresent([count](int, ColumnTexts& column) { column.truncate(count); });
    clampPositions();
}

void StringGrid::setFixedCols(int count) {
    if (count < 0)
        throw base::ListIndexError(count);
    if (count >= ColCount())
        throw FixedCountError(true);
    d->cols.setFixed(count);
    clampPositions();
}

void StringGrid::setFixedRows(int count) {
    if (count < 0)
        throw base::ListIndexError(count);
    if (count >= RowCount())
        throw FixedCountError(false);
    d->rows.setFixed(count);
    clampPositions();
}

// After a change of counts: the current cell, the selection and the scroll position come back
// inside the ordinary cells, the editor follows, the view and assistive tools are told.
void StringGrid::clampPositions() {
    auto clampTo = [](int value, const GridAxis& axis) {
        return std::clamp(value, axis.fixed(), std::max(axis.fixed(), axis.count() - 1));
    };
    const int oldCol = d->col;
    const int oldRow = d->row;
    d->col = clampTo(d->col, d->cols);
    d->row = clampTo(d->row, d->rows);
    d->anchorCol = clampTo(d->anchorCol, d->cols);
    d->anchorRow = clampTo(d->anchorRow, d->rows);
    d->leftCol = clampTo(d->leftCol, d->cols);
    d->topRow = clampTo(d->topRow, d->rows);
    if (d->editorCol >= ColCount() || d->editorRow >= RowCount())
        hideEditorWidget();
    updateScrollBars();
    if (oldCol != d->col || oldRow != d->row) {
        if (d->editorMode || (d->options & GridOption::goAlwaysShowEditor))
            updateEditor();
        emit CurrentCellChanged(d->col, d->row);
    }
    placeEditor();
    notifyStructure();
    viewport()->update();
}

int StringGrid::DefaultColWidth() const {
    return d->cols.defaultSize();
}
int StringGrid::DefaultRowHeight() const {
    return d->rows.defaultSize();
}

void StringGrid::setDefaultColWidth(int width) {
    width = std::max(0, width);
    if (width == DefaultColWidth() && !d->cols.hasOwnSizes())
        return;
    d->cols.setDefaultSize(width);
    ColWidthsChanged();
}

void StringGrid::setDefaultRowHeight(int height) {
    height = std::max(0, height);
    if (height == DefaultRowHeight() && !d->rows.hasOwnSizes())
        return;
    d->rows.setDefaultSize(height);
    RowHeightsChanged();
}

int StringGrid::ColWidths(int col) const {
    return d->cols.size(col);
}
int StringGrid::RowHeights(int row) const {
    return d->rows.size(row);
}

void StringGrid::setColWidths(int col, int width) {
    if (col < 0 || col >= ColCount())
        throw GridIndexError();
    width = std::max(0, width);
    if (width == ColWidths(col))
        return;
    d->cols.setSize(col, width);
    ColWidthsChanged();
}

void StringGrid::setRowHeights(int row, int height) {
    if (row < 0 || row >= RowCount())
        throw GridIndexError();
    height = std::max(0, height);
    if (height == RowHeights(row))
        return;
    d->rows.setSize(row, height);
    RowHeightsChanged();
}

void StringGrid::ColWidthsChanged() {
    clampPositions();
}

void StringGrid::RowHeightsChanged() {
    clampPositions();
}

// ---- current cell, selection, options -------------------------------------------------

int StringGrid::Col() const {
    return d->col;
}
int StringGrid::Row() const {
    return d->row;
}
void StringGrid::setCol(int col) {
    setCurrentCell(col, d->row);
}
void StringGrid::setRow(int row) {
    setCurrentCell(d->col, row);
}

void StringGrid::setCurrentCell(int col, int row) {
    if (col < FixedCols() || col >= ColCount() || row < FixedRows() || row >= RowCount())
        throw GridIndexError();
    moveCurrent(col, row, false);
}

GridRect StringGrid::Selection() const {
    GridRect rect{std::min(d->col, d->anchorCol), std::min(d->row, d->anchorRow),
                  std::max(d->col, d->anchorCol), std::max(d->row, d->anchorRow)};
    if (d->options & GridOption::goRowSelect) {
        rect.Left = FixedCols();
        rect.Right = ColCount() - 1;
    }
    return rect;
}

void StringGrid::setSelection(const GridRect& rect) {
    auto clampCol = [this](int c) { return std::clamp(c, FixedCols(), ColCount() - 1); };
    auto clampRow = [this](int r) { return std::clamp(r, FixedRows(), RowCount() - 1); };
    moveCurrent(clampCol(rect.Left), clampRow(rect.Top), false);
    if (d->options & (GridOption::goRangeSelect | GridOption::goRowSelect)) {
        d->anchorCol = clampCol(rect.Right);
        d->anchorRow = clampRow(rect.Bottom);
    }
    viewport()->update();
}

GridOptions StringGrid::Options() const {
    return d->options;
}

void StringGrid::setOptions(GridOptions options) {
    if (options == d->options)
        return;
    const GridOptions old = d->options;
    d->options = options;
    if (!(options & (GridOption::goRangeSelect | GridOption::goRowSelect))) {
        d->anchorCol = d->col;
        d->anchorRow = d->row;
    }
    horizontalScrollBar()->setTracking(bool(options & GridOption::goThumbTracking));
    verticalScrollBar()->setTracking(bool(options & GridOption::goThumbTracking));
    if (!(options & GridOption::goEditing) || (options & GridOption::goRowSelect)) {
        HideEditor();
    } else if ((options & GridOption::goAlwaysShowEditor) &&
               !(old & GridOption::goAlwaysShowEditor)) {
        ShowEditor();
    }
    viewport()->update();
}

quint32 StringGrid::FixedColor() const {
    return d->fixedColor;
}
void StringGrid::setFixedColor(quint32 color) {
    d->fixedColor = color;
    viewport()->update();
}
quint32 StringGrid::Color() const {
    return d->color;
}
void StringGrid::setColor(quint32 color) {
    d->color = color;
    viewport()->update();
}
bool StringGrid::DefaultDrawing() const {
    return d->defaultDrawing;
}
void StringGrid::setDefaultDrawing(bool on) {
    d->defaultDrawing = on;
    viewport()->update();
}

bool StringGrid::TabStops(int col) const {
    return d->notTabStops.find(col) == nullptr;
}

void StringGrid::setTabStops(int col, bool stop) {
    if (col < 0 || col >= ColCount())
        throw GridIndexError();
    if (stop)
        d->notTabStops.remove(col);
    else
        d->notTabStops.store(col, false);
}

void StringGrid::moveCurrent(int col, int row, bool extend) {
    const bool changed = col != d->col || row != d->row;
    d->col = col;
    d->row = row;
    if (!extend || !(d->options & (GridOption::goRangeSelect | GridOption::goRowSelect))) {
        d->anchorCol = col;
        d->anchorRow = row;
    }
    scrollIntoView(col, row);
    if (changed) {
        if (d->editorMode || (d->options & GridOption::goAlwaysShowEditor))
            updateEditor();
        notifyCurrentCell();
        emit CurrentCellChanged(col, row);
    }
    viewport()->update();
}

// ---- accessibility ----------------------------------------------------------------------

void StringGrid::notifyCurrentCell() {
    const long long index = static_cast<long long>(d->row) * ColCount() + d->col;
    if (index > INT_MAX)
        return;
    if (d->focusWithin) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(int(index));
        sendAccessibleEvent(focus);
    }
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(int(index));
    sendAccessibleEvent(selection);
}

void StringGrid::notifyStructure() {
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    sendAccessibleEvent(reset);
}

} // namespace stringgrid
