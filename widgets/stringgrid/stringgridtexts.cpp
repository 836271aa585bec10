#include "widgets/stringgrid/gridindexerror.h"
#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

#include <algorithm>

namespace stringgrid {

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

} // namespace stringgrid
