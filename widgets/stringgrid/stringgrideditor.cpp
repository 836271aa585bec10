#include "widgets/stringgrid/inplaceedit.h"
#include "widgets/stringgrid/stringgrid.h"
#include "widgets/stringgrid/stringgridprivate.h"

namespace stringgrid {

// ---- editor -----------------------------------------------------------------------------

InplaceEdit* StringGrid::CreateEditor() {
    return new InplaceEdit(this);
}

bool StringGrid::CanEditShow() const {
    return (d->options & GridOption::goEditing) && !(d->options & GridOption::goRowSelect) &&
           d->col >= FixedCols() && d->row >= FixedRows();
}

InplaceEdit* StringGrid::InplaceEditor() const {
    return d->editor;
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
        connect(d->editor, &QLineEdit::textChanged, this,
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
    guarded([&] { setCells(d->editorCol, d->editorRow, text); });
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

} // namespace stringgrid
