#pragma once
// TStringAlignGrid: the platform's string grid with layered per-cell, per-column, per-row and
// fixed-part settings (alignment, editability, font, background, selection colours, hints),
// painted and edited with them, with editing events, per-cell hints and navigation to the next
// cell after an edit or a Tab.

#include "widgets/aligngrid/model/alignsettings.h"
#include "widgets/aligngrid/model/aligntypes.h"
#include "widgets/aligngrid/model/gridshape.h"
#include "widgets/stringgrid/hinthook.h"
#include "widgets/stringgrid/postednotify.h"
#include "widgets/stringgrid/stringgrid.h"

#include <functional>

class TNewInplaceEdit;
class TStringAlignGrid;

namespace aligngrid {

// The grid's private notifications, posted to itself so that editing events run after the
// keystroke that caused them (the before-edit one is delivered at once).
inline constexpr int AG_CANCELEDIT = stringgrid::firstUserNotification + 2000;
inline constexpr int AG_EDITENTER = stringgrid::firstUserNotification + 2001;
inline constexpr int AG_EDITDONE = stringgrid::firstUserNotification + 2002;
inline constexpr int AG_BEFOREEDIT = stringgrid::firstUserNotification + 2003;
inline constexpr int AG_RESHOWEDITOR = stringgrid::firstUserNotification + 2004;

using TCellEvent = std::function<void(TStringAlignGrid* sender, int col, int row)>;
using TCompareFunction =
    std::function<T_relation(TStringAlignGrid* sender, int colrow, int compare1, int compare2)>;
using TNotifyEvent = std::function<void(TStringAlignGrid* sender)>;

} // namespace aligngrid

class TStringAlignGrid : public stringgrid::StringGrid {
    Q_OBJECT

public:
    explicit TStringAlignGrid(QWidget* parent = nullptr);
    ~TStringAlignGrid() override;

    // ---- Published properties ------------------------------------------------------------
    aligngrid::TMyAlign Alignment() const { return settings_.Alignment(); }
    void setAlignment(aligngrid::TMyAlign alignment) { settings_.setAlignment(alignment); }
    bool Editable() const { return settings_.Editable(); }
    void setEditable(bool editable) { settings_.setEditable(editable); }
    // Also gives the fixed brush the colour and repaints.
    void setFixedColor(quint32 color);
    bool ShowCellHints = true;
    quint32 SelectedCellColor() const { return settings_.SelectedCellColor(); }
    void setSelectedCellColor(quint32 color) { settings_.setSelectedCellColor(color); }
    quint32 SelectedFontColor() const { return settings_.SelectedFontColor(); }
    void setSelectedFontColor(quint32 color) { settings_.setSelectedFontColor(color); }
    bool AutoEditNextCell = false;
    aligngrid::T_nextcell NextCellEdit = aligngrid::nc_rightdown;
    aligngrid::T_nextcell NextCellTab = aligngrid::nc_rightdown;
    aligngrid::T_lastcell AfterLastCellEdit = aligngrid::lc_newcolrow;
    aligngrid::T_lastcell AfterLastCellTab = aligngrid::lc_first;
    bool DrawSelection = true;

    aligngrid::TCellEvent OnAfterEdit;
    aligngrid::TCellEvent OnCancelEdit;
    aligngrid::TCellEvent OnBeforeEdit;
    aligngrid::TCompareFunction OnCompareRow; // built-in: the texts of two columns of a row
    aligngrid::TCompareFunction OnCompareCol; // built-in: the texts of two rows of a column
    aligngrid::TNotifyEvent OnColWidthsChanged;
    aligngrid::TNotifyEvent OnRowHeightsChanged;

    // ---- Settings ------------------------------------------------------------------------
    aligngrid::AlignSettings& Settings() { return settings_; }
    const aligngrid::AlignSettings& Settings() const { return settings_; }
    void SetAlignCol(int col, aligngrid::TMyAlign alignment) {
        settings_.SetAlignCol(col, alignment);
    }
    void SetFixedAlignCol(int col, aligngrid::TMyAlign alignment) {
        settings_.SetFixedAlignCol(col, alignment);
    }

    bool IsFixedCell(int col, int row) const { return settings_.IsFixedCell(col, row); }
    aligngrid::TMyAlign GetCellAlignment(int col, int row) const {
        return settings_.GetCellAlignment(col, row);
    }
    const aligngrid::TMyFont& GetCellFont(int col, int row) const {
        return settings_.GetCellFont(col, row);
    }
    const aligngrid::TMyBrush& GetCellBrush(int col, int row) const {
        return settings_.GetCellBrush(col, row);
    }
    quint32 GetCellColor(int col, int row) const { return settings_.GetCellColor(col, row); }
    bool IsCellEditable(int col, int row) const { return settings_.IsCellEditable(col, row); }
    quint32 GetSelectedCellColor(int col, int row) const {
        return settings_.GetSelectedCellColor(col, row);
    }
    quint32 GetSelectedFontColor(int col, int row) const {
        return settings_.GetSelectedFontColor(col, row);
    }
    QString GetCellHint(int col, int row) const {
        return QString::fromStdString(settings_.GetCellHint(col, row));
    }

    // ---- Structure -----------------------------------------------------------------------
    // An empty column (row) at index, raised to the first ordinary one; the settings and texts
    // from index on move one place on.
    void InsertCol(int index);
    void InsertRow(int index);

    // ---- Navigation ----------------------------------------------------------------------
    // One step of (col, row) in direction; past the end, mode decides: (-1, -1), the order's
    // first cell, or a cell of a row or column added for it.
    void StepCell(aligngrid::T_nextcell direction, aligngrid::T_lastcell mode, int& col, int& row);
    // The next editable cell after (col, row) in the NextCellEdit order; the start cell when
    // there is no other, (-1, -1) when the order ends first.
    void NextEditableCell(int& col, int& row);

    // ---- Editing state -------------------------------------------------------------------
    bool Editing() const { return editing_; }
    bool EditorWasOpen() const { return editorWasOpen_; }
    int HintCol() const { return hintCol_; }
    int HintRow() const { return hintRow_; }
    TNewInplaceEdit* Editor() const;
    // The editor shown for an edit the grid starts itself.
    void ShowEditorForEdit();

    // The after-load step: the platform's, then the grid's own: the editor is to come back on
    // focus when it is always shown, and it is hidden until then.
    void Loaded() override;

protected:
    stringgrid::InplaceEdit* CreateEditor() override;
    bool CanEditShow() const override;
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                  stringgrid::DrawStates state) override;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void TypedCharacter(QChar ch) override;
    bool TabKey(bool shift) override;
    void FocusLost() override;
    void FocusGained() override;
    void GridMouseMove(QPoint viewportPos) override;
    void PostedNotification(int id, int col, int row) override;

private:
    class Shape : public aligngrid::GridShape {
    public:
        explicit Shape(const TStringAlignGrid& grid) : grid_(grid) {}
        int ColCount() const override { return grid_.ColCount(); }
        int RowCount() const override { return grid_.RowCount(); }
        int FixedCols() const override { return grid_.FixedCols(); }
        int FixedRows() const override { return grid_.FixedRows(); }
        aligngrid::TColor Color() const override { return grid_.Color(); }
        aligngrid::TColor FixedColor() const override { return grid_.FixedColor(); }

    private:
        const TStringAlignGrid& grid_;
    };

    bool prepareEditor();
    void endEdit(int col, int row, bool cancelled);
    void moveAfterEnter();
    void showCellHint(QString& text, bool& canShow, stringgrid::HintInfo& info);
    // StepCell with a budget of rows or columns it may add; past the end with none left, the
    // position stays (-1, -1).
    void stepCell(aligngrid::T_nextcell direction, aligngrid::T_lastcell mode, int& col, int& row,
                  int& growthLeft);

    Shape shape_{*this};
    aligngrid::AlignSettings settings_;
    bool editing_ = false;
    bool editorWasOpen_ = false;
    int savedSelStart_ = 0;
    int savedSelLength_ = 0;
    int hintCol_ = -1;
    int hintRow_ = -1;
};
