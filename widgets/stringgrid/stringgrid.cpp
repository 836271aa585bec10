#include "widgets/stringgrid/stringgrid.h"

#include "platform/colors.h"
#include "platform/showfailure.h"
#include "widgets/stringgrid/gridaxis.h"
#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/inplaceedit.h"
#include "widgets/stringgrid/postednotify.h"
#include "widgets/stringgrid/stringgridaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace stringgrid {

namespace {

constexpr int line = 1;         // grid line after every cell
constexpr int sizingMargin = 2; // how near a border the mouse starts a resize
constexpr long long hidden = LLONG_MIN;

class FixedCountError : public base::Failure {
public:
    explicit FixedCountError(bool columns)
        : Failure(columns ? "Le nombre de colonnes fixes doit être inférieur au nombre de colonnes"
                          : "Le nombre de lignes fixes doit être inférieur au nombre de lignes") {}
};

} // namespace

struct StringGrid::Private {
    GridAxis cols{5, 1, 64};
    GridAxis rows{5, 1, 24};
    std::vector<std::map<int, QString>> texts; // per column, grown on write; rows sparse
    int col = 1;
    int row = 1;
    int anchorCol = 1;
    int anchorRow = 1;
    int leftCol = 1;
    int topRow = 1;
    GridOptions options = defaultGridOptions();
    quint32 fixedColor = platform::clBtnFace;
    quint32 color = platform::clWindow;
    bool defaultDrawing = true;
    bool editorMode = false;
    std::map<int, bool> notTabStops; // only the columns whose tab stop is off
    std::unique_ptr<InplaceEdit> editor;
    int editorCol = -1; // the cell the editor's text belongs to
    int editorRow = -1;
    QString editorOriginal;
    bool loadingEditor = false;
    bool loading = false; // the grid's form data is being applied
    bool focusWithin = false;
    enum class Drag { None, Select, SizeCol, SizeRow, MoveCol, MoveRow } drag = Drag::None;
    int dragIndex = -1;
    int dragOrigin = 0;
    int dragSize = 0;
};

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
    // The editor goes before the viewport that parents it.
    d->editor.reset();
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
    if (d->texts.size() > static_cast<std::size_t>(count))
        d->texts.resize(static_cast<std::size_t>(count));
    d->notTabStops.erase(d->notTabStops.lower_bound(count), d->notTabStops.end());
    clampPositions();
}

void StringGrid::setRowCount(int count) {
    count = std::max(1, count);
    if (count == RowCount())
        return;
    d->rows.setCount(count);
    if (FixedRows() >= count)
        d->rows.setFixed(count - 1);
    for (auto& column : d->texts)
        column.erase(column.lower_bound(count), column.end());
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

// ---- texts ------------------------------------------------------------------------------

QString StringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || static_cast<std::size_t>(col) >= d->texts.size())
        return {};
    const auto& column = d->texts[static_cast<std::size_t>(col)];
    auto found = column.find(row);
    return found == column.end() ? QString() : found->second;
}

void StringGrid::forEachText(int col,
                             const std::function<void(int row, const QString& text)>& visit) const {
    if (col < 0 || static_cast<std::size_t>(col) >= d->texts.size())
        return;
    for (const auto& [row, text] : d->texts[static_cast<std::size_t>(col)])
        visit(row, text);
}

void StringGrid::setCells(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        throw GridIndexError();
    if (text.isEmpty()) {
        if (static_cast<std::size_t>(col) < d->texts.size())
            d->texts[static_cast<std::size_t>(col)].erase(row);
    } else {
        if (static_cast<std::size_t>(col) >= d->texts.size())
            d->texts.resize(static_cast<std::size_t>(col) + 1);
        auto& column = d->texts[static_cast<std::size_t>(col)];
        // Texts written in row order (a load, a fill) append without a search.
        if (column.empty() || std::prev(column.end())->first < row)
            column.emplace_hint(column.end(), row, text);
        else
            column[row] = text;
    }
    // A cell written from outside while the editor shows it: the editor shows the new text.
    if (col == d->editorCol && row == d->editorRow && d->editor && !d->loadingEditor &&
        d->editor->text() != text) {
        d->loadingEditor = true;
        d->editor->setText(text);
        d->loadingEditor = false;
    }
    InvalidateCell(col, row);
}

void StringGrid::MoveColumnTexts(int from, int to) {
    if (from == to || from < 0 || to < 0)
        return;
    const auto needed = static_cast<std::size_t>(std::max(from, to)) + 1;
    if (d->texts.size() < needed)
        d->texts.resize(needed);
    auto taken = std::move(d->texts[static_cast<std::size_t>(from)]);
    d->texts.erase(d->texts.begin() + from);
    d->texts.insert(d->texts.begin() + to, std::move(taken));
    viewport()->update();
}

void StringGrid::MoveRowTexts(int from, int to) {
    if (from == to || from < 0 || to < 0)
        return;
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    for (auto& column : d->texts) {
        // Only the rows between the two indices change their key.
        std::vector<std::map<int, QString>::node_type> nodes;
        for (auto it = column.lower_bound(low); it != column.end() && it->first <= high;)
            nodes.push_back(column.extract(it++));
        for (auto& node : nodes) {
            int key = node.key();
            if (key == from)
                key = to;
            else if (from < to)
                --key;
            else
                ++key;
            node.key() = key;
            column.insert(std::move(node));
        }
    }
    viewport()->update();
}

void StringGrid::ClearColumnTexts(int col) {
    if (col >= 0 && static_cast<std::size_t>(col) < d->texts.size())
        d->texts[static_cast<std::size_t>(col)].clear();
    viewport()->update();
}

void StringGrid::ClearRowTexts(int row) {
    for (auto& column : d->texts)
        column.erase(row);
    viewport()->update();
}

void StringGrid::MoveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= ColCount() || to >= ColCount())
        throw GridIndexError();
    if (from == to)
        return;
    ColumnMoved(from, to);
    viewport()->update();
}

void StringGrid::MoveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= RowCount() || to >= RowCount())
        throw GridIndexError();
    if (from == to)
        return;
    RowMoved(from, to);
    viewport()->update();
}

void StringGrid::ColumnMoved(int from, int to) {
    MoveColumnTexts(from, to);
    d->cols.move(from, to);
    // Tab stops belong to the column like its width.
    const bool stop = TabStops(from);
    std::map<int, bool> shifted;
    for (const auto& [col, value] : d->notTabStops) {
        if (col == from)
            continue;
        int target = col;
        if (from < to && col > from && col <= to)
            --target;
        else if (to < from && col >= to && col < from)
            ++target;
        shifted.emplace(target, value);
    }
    if (!stop)
        shifted[to] = false;
    d->notTabStops = std::move(shifted);
    clampPositions();
}

void StringGrid::RowMoved(int from, int to) {
    MoveRowTexts(from, to);
    d->rows.move(from, to);
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
    return d->notTabStops.find(col) == d->notTabStops.end();
}

void StringGrid::setTabStops(int col, bool stop) {
    if (col < 0 || col >= ColCount())
        throw GridIndexError();
    if (stop)
        d->notTabStops.erase(col);
    else
        d->notTabStops[col] = false;
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

// ---- painting ---------------------------------------------------------------------------

void StringGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    drawGrid(painter, event->rect());
}

void StringGrid::drawGrid(QPainter& painter, const QRect& area) {
    const int width = viewport()->width();
    const int height = viewport()->height();
    painter.fillRect(area, platform::colorFromValue(d->color));

    // Only the cells in view: the fixed ones, then the ordinary ones from the first shown.
    std::vector<std::pair<int, int>> columns; // (index, x)
    columns.reserve(static_cast<std::size_t>(FixedCols()) + 64);
    for (int c = 0; c < FixedCols(); ++c)
        columns.emplace_back(c, int(colX(c)));
    for (int c = d->leftCol; c < ColCount(); ++c) {
        const long long x = colX(c);
        if (x >= width)
            break;
        columns.emplace_back(c, int(x));
    }
    std::vector<std::pair<int, int>> rows;
    rows.reserve(static_cast<std::size_t>(FixedRows()) + 64);
    for (int r = 0; r < FixedRows(); ++r)
        rows.emplace_back(r, int(rowY(r)));
    for (int r = d->topRow; r < RowCount(); ++r) {
        const long long y = rowY(r);
        if (y >= height)
            break;
        rows.emplace_back(r, int(y));
    }

    const GridRect selection = Selection();
    const bool focused = d->focusWithin;
    const QColor fixedLine = platform::colorFromValue(0x80000010);
    const QColor ordinaryLine(0xC0, 0xC0, 0xC0);
    for (const auto& [r, y] : rows) {
        const int h = RowHeights(r);
        for (const auto& [c, x] : columns) {
            const int w = ColWidths(c);
            const QRect rect(x, y, w, h);
            if (!rect.adjusted(0, 0, line, line).intersects(area))
                continue;
            const bool fixed = c < FixedCols() || r < FixedRows();
            DrawStates state;
            if (fixed)
                state |= DrawState::gdFixed;
            if (!fixed && selection.contains(c, r))
                state |= DrawState::gdSelected;
            if (!fixed && focused && c == d->col && r == d->row)
                state |= DrawState::gdFocused;
            if (w > 0 && h > 0) {
                painter.save();
                painter.setClipRect(rect);
                DrawCell(painter, c, r, rect, state);
                painter.restore();
            }
            const bool vertical = fixed ? bool(d->options & GridOption::goFixedVertLine)
                                        : bool(d->options & GridOption::goVertLine);
            const bool horizontal = fixed ? bool(d->options & GridOption::goFixedHorzLine)
                                          : bool(d->options & GridOption::goHorzLine);
            const QColor lineColor = fixed ? fixedLine : ordinaryLine;
            if (vertical)
                painter.fillRect(QRect(x + w, y, line, h + line), lineColor);
            if (horizontal)
                painter.fillRect(QRect(x, y + h, w + line, line), lineColor);
        }
    }

    // The focus frame around the current cell, unless the editor stands there.
    const bool editorShown = d->editor && d->editor->isVisible();
    if (focused && !editorShown && !(d->options & GridOption::goRowSelect)) {
        const QRect rect = CellRect(d->col, d->row);
        if (!rect.isEmpty()) {
            QPen pen(platform::colorFromValue(platform::clWindowText), 1, Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
}

void StringGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                          DrawStates state) {
    if (d->defaultDrawing) {
        QColor background = platform::colorFromValue(d->color);
        QColor foreground = platform::colorFromValue(platform::clWindowText);
        const bool selectedLook =
            (state & DrawState::gdSelected) &&
            (!(state & DrawState::gdFocused) ||
             (d->options & (GridOption::goDrawFocusSelected | GridOption::goRowSelect)));
        if (state & DrawState::gdFixed) {
            background = platform::colorFromValue(d->fixedColor);
        } else if (selectedLook) {
            background = platform::colorFromValue(platform::clHighlight);
            foreground = platform::colorFromValue(platform::clHighlightText);
        }
        painter.fillRect(rect, background);
        const QString text = Cells(col, row);
        if (!text.isEmpty()) {
            painter.setFont(font());
            painter.setPen(foreground);
            painter.drawText(
                QPoint(rect.left() + 2, rect.top() + 2 + painter.fontMetrics().ascent()), text);
        }
    }
    emit DrawCellEvent(painter, col, row, rect, state);
}

// ---- editor -----------------------------------------------------------------------------

std::unique_ptr<InplaceEdit> StringGrid::CreateEditor() {
    return std::make_unique<InplaceEdit>(this);
}

bool StringGrid::CanEditShow() const {
    return (d->options & GridOption::goEditing) && !(d->options & GridOption::goRowSelect) &&
           d->col >= FixedCols() && d->row >= FixedRows();
}

InplaceEdit* StringGrid::InplaceEditor() const {
    return d->editor.get();
}
bool StringGrid::EditorMode() const {
    return d->editorMode;
}

void StringGrid::setEditorMode(bool on) {
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void StringGrid::ShowEditor() {
    d->editorMode = true;
    updateEditor();
}

void StringGrid::ShowEditorChar(QChar ch) {
    ShowEditor();
    if (!EditorShown())
        return;
    d->editor->setText(ch == QChar(8) ? QString() : QString(ch));
    d->editor->deselect();
    d->editor->end(false);
}

void StringGrid::HideEditor() {
    d->editorMode = false;
    hideEditorWidget();
}

void StringGrid::hideEditorWidget() {
    if (!d->editor)
        return;
    d->editorCol = -1;
    d->editorRow = -1;
    if (EditorShown()) {
        const bool hadFocus = d->editor->hasFocus();
        d->editor->hide();
        if (hadFocus)
            setFocus();
        viewport()->update();
    }
}

bool StringGrid::EditorShown() const {
    // Its own state, not isVisible(): that turns false as soon as the window hides, while the
    // editor is still open and must be closed as such.
    return d->editor && !d->editor->isHidden();
}

void StringGrid::BeginLoading() {
    d->loading = true;
}

void StringGrid::Loaded() {
    d->loading = false;
}

// Shows the editor on the current cell, or moves it there, if the grid agrees.
void StringGrid::updateEditor() {
    if (d->loading)
        return; // a grid being loaded shows no editor and begins no edit
    if (!d->editorMode && !(d->options & GridOption::goAlwaysShowEditor)) {
        hideEditorWidget();
        return;
    }
    if (!d->editor) {
        if (!CanEditShow()) {
            d->editorMode = false;
            return;
        }
        d->editor = CreateEditor();
        if (!d->editor)
            return;
        connect(d->editor.get(), &QLineEdit::textChanged, this,
                [this](const QString& text) { editorTextChanged(text); });
    }
    if (!CanEditShow()) {
        hideEditorWidget();
        d->editorMode = false;
        return;
    }
    d->editorMode = true;
    if (d->editorCol != d->col || d->editorRow != d->row || !EditorShown()) {
        d->editorCol = d->col;
        d->editorRow = d->row;
        d->editorOriginal = Cells(d->col, d->row);
        d->loadingEditor = true;
        d->editor->setText(d->editorOriginal);
        d->loadingEditor = false;
        d->editor->selectAll();
    }
    placeEditor();
    d->editor->show();
    if (d->focusWithin || hasFocus())
        d->editor->setFocus();
    viewport()->update();
}

void StringGrid::placeEditor() {
    if (!d->editor || d->editorCol < 0)
        return;
    const QRect rect = CellRect(d->editorCol, d->editorRow);
    if (rect.isEmpty())
        d->editor->setGeometry(QRect(-1000, -1000, 1, 1)); // scrolled away, kept open
    else
        d->editor->setGeometry(rect);
}

void StringGrid::editorTextChanged(const QString& text) {
    if (d->loadingEditor || d->editorCol < 0 || d->editorCol >= ColCount() ||
        d->editorRow >= RowCount())
        return;
    d->loadingEditor = true;
    platform::guarded([&] { setCells(d->editorCol, d->editorRow, text); });
    d->loadingEditor = false;
}

// Enter in the editor: the text stays in the cell and the editor stays; the selection toggles
// between the whole text and none.
void StringGrid::editorEnter() {
    if (!d->editor)
        return;
    if (d->editor->hasSelectedText()) {
        d->editor->deselect();
        d->editor->end(false);
    } else {
        d->editor->selectAll();
    }
}

// Escape in the editor: the cell gets back the text it had when the editor came to it.
void StringGrid::editorEscape() {
    if (!d->editor)
        return;
    d->editor->setText(d->editorOriginal);
    if (d->options & GridOption::goAlwaysShowEditor)
        d->editor->selectAll();
    else
        HideEditor();
}

// ---- keyboard ---------------------------------------------------------------------------

bool StringGrid::event(QEvent* event) {
    if (event->type() == GridNotifyEvent::eventType()) {
        auto* notify = static_cast<GridNotifyEvent*>(event);
        platform::guarded([&] { PostedNotification(notify->id(), notify->col(), notify->row()); });
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // With goTabs, Tab moves between cells instead of leaving the grid.
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            (d->options & GridOption::goTabs) && !(d->options & GridOption::goRowSelect)) {
            keyPressEvent(key);
            if (key->isAccepted())
                return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void StringGrid::PostedNotification(int, int, int) {}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    platform::guarded([&] {
        event->setAccepted(false);
        KeyDown(event);
        if (event->isAccepted())
            return;
        const QString text = event->text();
        const bool modified =
            event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!modified && text.size() == 1 && event->key() != Qt::Key_Tab &&
            event->key() != Qt::Key_Backtab && event->key() != Qt::Key_Escape &&
            event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            event->accept();
            TypedCharacter(text.at(0));
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
    platform::guarded([&] {
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
    platform::guarded([&] {
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
    platform::guarded([&] {
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
    platform::guarded([&] {
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
        focus && (focus == this || focus == viewport() || (d->editor && focus == d->editor.get()));
    if (within == d->focusWithin)
        return;
    d->focusWithin = within;
    platform::guarded([&] {
        if (within)
            FocusGained();
        else
            FocusLost();
    });
    viewport()->update();
}

void StringGrid::FocusLost() {}
void StringGrid::FocusGained() {}

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
