#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <algorithm>

namespace stringgrid {

// ---- texts ------------------------------------------------------------------------------

namespace {

std::u16string_view unitsOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString textOf(std::u16string_view units) {
    return QString(reinterpret_cast<const QChar*>(units.data()),
                   static_cast<qsizetype>(units.size()));
}

} // namespace

QString StringGrid::Cells(int col, int row) const {
    const ColumnTexts* column = d->texts.find(col);
    return column ? textOf(column->find(row)) : QString();
}

void StringGrid::forEachText(int col,
                             const std::function<void(int row, QStringView text)>& visit) const {
    if (const ColumnTexts* column = d->texts.find(col))
        column->forEach([&visit](int row, std::u16string_view units) { visit(row, units); });
}

void StringGrid::setCells(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        throw GridIndexError();
    if (text.isEmpty()) {
        if (ColumnTexts* column = d->texts.find(col))
            column->remove(row);
    } else {
        ColumnTexts* column = d->texts.find(col);
        if (!column)
            column = &d->texts.store(col, {});
        column->store(row, unitsOf(text));
    }
    showTextInEditor(col, row);
    InvalidateCell(col, row);
}

void StringGrid::setColumnTexts(int col, ColumnTexts&& texts) {
    if (col < 0 || col >= ColCount() || texts.length() > RowCount())
        throw GridIndexError();
    if (texts.empty())
        d->texts.remove(col);
    else
        d->texts.store(col, std::move(texts));
    if (col == d->editorCol)
        showTextInEditor(col, d->editorRow);
    viewport()->update();
}

// A cell written from outside while the editor shows it: the editor shows the new text.
void StringGrid::showTextInEditor(int col, int row) {
    if (col != d->editorCol || row != d->editorRow || !d->editor || d->loadingEditor)
        return;
    const QString text = Cells(col, row);
    if (d->editor->text() != text) {
        d->loadingEditor = true;
        d->editor->setText(text);
        d->loadingEditor = false;
    }
}

void StringGrid::MoveColumnTexts(int from, int to) {
    if (from == to || from < 0 || to < 0)
        return;
    d->texts.move(from, to);
    viewport()->update();
}

void StringGrid::MoveRowTexts(int from, int to) {
    if (from == to || from < 0 || to < 0)
        return;
    d->texts.forEachPresent([from, to](int, ColumnTexts& column) { column.move(from, to); });
    viewport()->update();
}

void StringGrid::ClearColumnTexts(int col) {
    if (col >= 0)
        d->texts.remove(col);
    viewport()->update();
}

void StringGrid::ClearRowTexts(int row) {
    d->texts.forEachPresent([row](int, ColumnTexts& column) { column.remove(row); });
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
    d->notTabStops.move(from, to);
    clampPositions();
}

void StringGrid::RowMoved(int from, int to) {
    MoveRowTexts(from, to);
    d->rows.move(from, to);
    clampPositions();
}

} // namespace stringgrid
