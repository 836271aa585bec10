#include "widgets/aligngrid/stringaligngrid.h"

#include "platform/colors.h"
#include "widgets/aligngrid/cellpainter.h"
#include "widgets/aligngrid/hintchain.h"
#include "widgets/aligngrid/model/cellstep.h"
#include "widgets/aligngrid/newinplaceedit.h"
#include "widgets/aligngrid/qtconvert.h"
#include "widgets/stringgrid/gridoptions.h"

#include <QPalette>

using namespace aligngrid;
using stringgrid::DrawState;
using stringgrid::GridOption;

TStringAlignGrid::TStringAlignGrid(QWidget* parent)
    : stringgrid::StringGrid(parent), settings_(shape_, [this] { InvalidateGrid(); }) {
    settings_.setOwnFontChanged([this] {
        QWidget::setFont(toQFont(settings_.Font()));
        InvalidateGrid();
    });
    QWidget::setFont(toQFont(settings_.Font()));
    OnCompareCol = [](TStringAlignGrid* grid, int colrow, int compare1, int compare2) {
        return CompareTexts(grid->Cells(colrow, compare1).toStdString(),
                            grid->Cells(colrow, compare2).toStdString());
    };
    OnCompareRow = [](TStringAlignGrid* grid, int colrow, int compare1, int compare2) {
        return CompareTexts(grid->Cells(compare1, colrow).toStdString(),
                            grid->Cells(compare2, colrow).toStdString());
    };
    registerHintHandler(this, [this](QString& text, bool& canShow, stringgrid::HintInfo& info) {
        showCellHint(text, canShow, info);
    });
}

TStringAlignGrid::~TStringAlignGrid() {
    unregisterHintHandler(this);
    settings_.clearTables();
}

void TStringAlignGrid::setFixedColor(quint32 color) {
    stringgrid::StringGrid::setFixedColor(color);
    settings_.fixedColorChanged();
}

TNewInplaceEdit* TStringAlignGrid::Editor() const {
    return qobject_cast<TNewInplaceEdit*>(InplaceEditor());
}

// ---- Structure ---------------------------------------------------------------------------

void TStringAlignGrid::InsertCol(int index) {
    index = std::max(index, FixedCols());
    setColCount(ColCount() + 1);
    settings_.insertColumnSettings(index);
    const int last = ColCount() - 1;
    ClearColumnTexts(last);
    // Taking the empty last column out and putting it in at index shifts the texts between.
    if (index < last)
        MoveColumnTexts(last, index);
    InvalidateGrid();
}

void TStringAlignGrid::InsertRow(int index) {
    index = std::max(index, FixedRows());
    setRowCount(RowCount() + 1);
    settings_.insertRowSettings(index);
    const int last = RowCount() - 1;
    ClearRowTexts(last);
    if (index < last)
        MoveRowTexts(last, index);
    InvalidateGrid();
}

void TStringAlignGrid::ColumnMoved(int from, int to) {
    settings_.moveColumnSettings(from, to);
    stringgrid::StringGrid::ColumnMoved(from, to);
}

void TStringAlignGrid::RowMoved(int from, int to) {
    settings_.moveRowSettings(from, to);
    stringgrid::StringGrid::RowMoved(from, to);
}

void TStringAlignGrid::ColWidthsChanged() {
    stringgrid::StringGrid::ColWidthsChanged();
    if (OnColWidthsChanged)
        OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged() {
    stringgrid::StringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged)
        OnRowHeightsChanged(this);
}

// ---- Painting ----------------------------------------------------------------------------

void TStringAlignGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                                stringgrid::DrawStates state) {
    if (!DefaultDrawing()) {
        stringgrid::StringGrid::DrawCell(painter, col, row, rect, state);
        return;
    }
    const TMyFont& font = GetCellFont(col, row);
    CellLook look;
    look.font = toQFont(font);
    look.textColor = platform::colorFromValue(font.Color());
    look.brush = toQBrush(GetCellBrush(col, row));
    look.alignment = GetCellAlignment(col, row);
    const bool focusedLooksSelected =
        !(state & DrawState::gdFocused) ||
        (Options() & (GridOption::goDrawFocusSelected | GridOption::goRowSelect));
    if (DrawSelection && (state & DrawState::gdSelected) && focusedLooksSelected) {
        look.brush.setColor(platform::colorFromValue(GetSelectedCellColor(col, row)));
        look.textColor = platform::colorFromValue(GetSelectedFontColor(col, row));
    }
    paintCell(painter, rect, Cells(col, row), look);
    emit DrawCellEvent(painter, col, row, rect, state);
}

// ---- Editing -----------------------------------------------------------------------------

stringgrid::InplaceEdit* TStringAlignGrid::CreateEditor() {
    return new TNewInplaceEdit(this);
}

bool TStringAlignGrid::CanEditShow() const {
    // The platform asks through a const query; preparing the editor for the cell is part of
    // the answer here.
    return const_cast<TStringAlignGrid*>(this)->prepareEditor();
}

bool TStringAlignGrid::prepareEditor() {
    bool answer = stringgrid::StringGrid::CanEditShow();
    TNewInplaceEdit* editor = Editor();
    if (!editor)
        return answer; // asked again once the editor exists
    const int col = Col();
    const int row = Row();
    if (editor->EditCol != col || editor->EditRow != row) {
        if (editor->EditCol >= 0 && editor->EditRow >= 0)
            stringgrid::postNotification(this, AG_EDITDONE, editor->EditCol, editor->EditRow);
        editor->Started = false;
    }
    if (!IsCellEditable(col, row))
        answer = false;
    if (!answer) {
        editor->EditCol = -1;
        editor->EditRow = -1;
        return false;
    }
    const TMyFont& font = GetCellFont(col, row);
    editor->setAlignment(GetCellAlignment(col, row));
    editor->setFont(toQFont(font));
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, platform::colorFromValue(GetCellColor(col, row)));
    palette.setColor(QPalette::Text, platform::colorFromValue(font.Color()));
    editor->setPalette(palette);
    editor->EditCol = col;
    editor->EditRow = row;
    if (!editor->Started) {
        stringgrid::sendNotification(this, AG_BEFOREEDIT, col, row);
        editor->Started = true;
        editor->StartingText = Cells(col, row);
    }
    return true;
}

void TStringAlignGrid::ShowEditorForEdit() {
    ShowEditor();
    editing_ = true;
}

void TStringAlignGrid::endEdit(int col, int row, bool cancelled) {
    editing_ = false;
    const TCellEvent& handler = cancelled ? OnCancelEdit : OnAfterEdit;
    if (handler && col >= 0 && row >= 0)
        handler(this, col, row);
}

void TStringAlignGrid::PostedNotification(int id, int col, int row) {
    switch (id) {
    case AG_CANCELEDIT:
        endEdit(col, row, true);
        break;
    case AG_EDITENTER:
        endEdit(col, row, false);
        if (AutoEditNextCell && col >= 0 && row >= 0)
            moveAfterEnter();
        break;
    case AG_EDITDONE:
        endEdit(col, row, false);
        break;
    case AG_BEFOREEDIT:
        if (OnBeforeEdit && col >= 0 && row >= 0)
            OnBeforeEdit(this, col, row);
        editing_ = true;
        break;
    case AG_RESHOWEDITOR:
        ShowEditor();
        if (TNewInplaceEdit* editor = Editor())
            editor->setSelection(savedSelStart_, savedSelLength_);
        break;
    default:
        stringgrid::StringGrid::PostedNotification(id, col, row);
        break;
    }
}

void TStringAlignGrid::TypedCharacter(QChar ch) {
    if ((Options() & GridOption::goEditing) && (ch == QChar(8) || ch >= QChar(32))) {
        ShowEditorChar(ch);
        if (!EditorMode()) {
            // The cell is not editable: the character is the grid's own key press.
            QChar key = ch;
            emit KeyPressEvent(key);
        }
        return;
    }
    stringgrid::StringGrid::TypedCharacter(ch);
}

void TStringAlignGrid::FocusLost() {
    TNewInplaceEdit* editor = Editor();
    if (editor && EditorShown()) {
        editorWasOpen_ = true;
        editor->keptSelection(savedSelStart_, savedSelLength_);
        editing_ = false;
        HideEditor();
        PostedNotification(AG_EDITDONE, Col(), Row());
    }
    if (editing_) {
        // An edit the grid began without showing the editor keeps the focus.
        setFocus();
        return;
    }
    stringgrid::StringGrid::FocusLost();
    HideEditor();
}

void TStringAlignGrid::FocusGained() {
    stringgrid::StringGrid::FocusGained();
    if (editorWasOpen_ && (Options() & GridOption::goAlwaysShowEditor))
        stringgrid::postNotification(this, AG_RESHOWEDITOR, 0, 0);
}

void TStringAlignGrid::Loaded() {
    stringgrid::StringGrid::Loaded();
    editorWasOpen_ = bool(Options() & GridOption::goAlwaysShowEditor);
    HideEditor();
}

// ---- Hints -------------------------------------------------------------------------------

void TStringAlignGrid::showCellHint(QString& text, bool&, stringgrid::HintInfo& info) {
    if (info.HintControl != this || !ShowCellHints)
        return;
    int col = -1;
    int row = -1;
    MouseToCell(viewport()->mapFrom(this, info.CursorPos), col, row);
    hintCol_ = col;
    hintRow_ = row;
    const QRect rect = CellRect(col, row);
    info.HintPos = viewport()->mapToGlobal(QPoint(rect.left(), rect.top() + rect.height() + 6));
    text = GetCellHint(col, row);
}

void TStringAlignGrid::GridMouseMove(QPoint viewportPos) {
    if (hintCol_ >= 0 && hintRow_ >= 0) {
        int col = -1;
        int row = -1;
        MouseToCell(viewportPos, col, row);
        if (col != hintCol_ || row != hintRow_) {
            stringgrid::cancelHint();
            hintCol_ = -1;
            hintRow_ = -1;
        }
    }
    stringgrid::StringGrid::GridMouseMove(viewportPos);
}
