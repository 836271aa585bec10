#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <algorithm>

namespace stringgrid {

// ---- texts ------------------------------------------------------------------------------

QString StringGrid::Cells(int col, int row) const {
    const auto* column = d->texts.find(col);
    const QString* text = column ? column->find(row) : nullptr;
    return text ? *text : QString();
}

void StringGrid::forEachText(int col,
                             const std::function<void(int row, const QString& text)>& visit) const {
    if (const auto* column = d->texts.find(col))
        for (const auto& [row, text] : *column)
            visit(row, text);
}

void StringGrid::setCells(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        throw GridIndexError();
    if (text.isEmpty()) {
        if (auto* column = d->texts.find(col))
            column->remove(row);
    } else {
        auto* column = d->texts.find(col);
        if (!column)
            column = &d->texts.store(col, {});
        column->store(row, text);
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
    d->texts.move(from, to);
    viewport()->update();
}

void StringGrid::MoveRowTexts(int from, int to) {
    if (from == to || from < 0 || to < 0)
        return;
    d->texts.forEachPresent(
        [from, to](int, base::IndexTable<QString>& column) { column.move(from, to); });
    viewport()->update();
}

void StringGrid::ClearColumnTexts(int col) {
    if (col >= 0)
        d->texts.remove(col);
    viewport()->update();
}

void StringGrid::ClearRowTexts(int row) {
    d->texts.forEachPresent([row](int, base::IndexTable<QString>& column) { column.remove(row); });
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
