#pragma once
// The aligned grid's layered presentation settings: sparse per-cell, per-column, per-row and
// fixed-part tables for alignment, editability, font, brush, selection colours and hints; the
// grid-wide defaults; the stored-data flags; and the lookups that find a cell's effective
// setting. Pure C++ (no Qt): the widget holds one and paints from its lookups.
//
// The model owns every table and every value in it. Lookups hand out references to stored
// objects without passing ownership, never fail and never allocate.

#include "base/indextable.h"
#include "widgets/aligngrid/model/aligntypes.h"
#include "widgets/aligngrid/model/celltable.h"
#include "widgets/aligngrid/model/gridshape.h"
#include "widgets/aligngrid/model/mybrush.h"
#include "widgets/aligngrid/model/myfont.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace aligngrid {

using FontPtr = std::unique_ptr<TMyFont>;
using BrushPtr = std::unique_ptr<TMyBrush>;

class AlignSettings {
public:
    static constexpr TColor defaultSelectedCellColor = 0x80000002; // active caption
    static constexpr TColor defaultSelectedFontColor = 0xFFFFFF;   // white

    // shape must outlive the settings. repaint is asked for after every change a user sees.
    explicit AlignSettings(const GridShape& shape, std::function<void()> repaint = {});
    ~AlignSettings();
    AlignSettings(const AlignSettings&) = delete;
    AlignSettings& operator=(const AlignSettings&) = delete;

    void setRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // Runs when the grid's own font changes (default: a repaint).
    void setOwnFontChanged(std::function<void()> changed) { ownFontChanged_ = std::move(changed); }

    // ---- Grid-wide defaults --------------------------------------------------------------
    TMyAlign Alignment() const noexcept { return alignment_; }
    void setAlignment(TMyAlign alignment);
    bool Editable() const noexcept { return editable_; }
    void setEditable(bool editable) noexcept { editable_ = editable; }
    TColor SelectedCellColor() const noexcept { return selectedCellColor_; }
    void setSelectedCellColor(TColor color);
    TColor SelectedFontColor() const noexcept { return selectedFontColor_; }
    void setSelectedFontColor(TColor color);

    // The grid's own font and brush (the last fallbacks of the lookups), and the fixed brush.
    // The own brush's colour is always the grid's Color, the fixed brush's its FixedColor.
    TMyFont& Font() noexcept { return ownFont_; }
    const TMyFont& Font() const noexcept { return ownFont_; }
    TMyBrush& Brush() noexcept;
    const TMyBrush& Brush() const noexcept;
    const TMyBrush& FixedBrush() const noexcept;
    // Gives the fixed brush the grid's fixed colour now (a change: the grid repaints).
    void fixedColorChanged();

    // ---- Lookups -----------------------------------------------------------------------
    bool IsFixedCell(int col, int row) const noexcept;
    TMyAlign GetCellAlignment(int col, int row) const noexcept;
    const TMyFont& GetCellFont(int col, int row) const noexcept;
    const TMyBrush& GetCellBrush(int col, int row) const noexcept;
    TColor GetCellColor(int col, int row) const noexcept;
    bool IsCellEditable(int col, int row) const noexcept;
    TColor GetSelectedCellColor(int col, int row) const noexcept;
    TColor GetSelectedFontColor(int col, int row) const noexcept;
    const std::string& GetCellHint(int col, int row) const noexcept;

    // ---- Setters: store, set the table's flag, repaint -----------------------------------
    // A negative index stores nothing and raises base::ListIndexError.
    void SetAlignCell(int col, int row, TMyAlign alignment);
    void SetAlignCol(int col, TMyAlign alignment);
    void SetAlignRow(int row, TMyAlign alignment);
    void SetFixedAlignCol(int col, TMyAlign alignment);
    void SetFixedAlignRow(int row, TMyAlign alignment);
    void SetEditCell(int col, int row, bool editable);
    void SetEditCol(int col, bool editable);
    void SetEditRow(int row, bool editable);
    // Fonts and brushes are copied into a new object of the grid's, connected to a repaint.
    void SetFontCell(int col, int row, const TMyFont& font);
    void SetFontCol(int col, const TMyFont& font);
    void SetFontRow(int row, const TMyFont& font);
    void SetFontFixedCol(int col, const TMyFont& font);
    void SetFontFixedRow(int row, const TMyFont& font);
    void SetBrushCell(int col, int row, const TMyBrush& brush);
    void SetBrushCol(int col, const TMyBrush& brush);
    void SetBrushRow(int row, const TMyBrush& brush);
    void SetBrushFixedCol(int col, const TMyBrush& brush);
    void SetBrushFixedRow(int row, const TMyBrush& brush);
    void SetSelectedColorCell(int col, int row, TColor color);
    void SetSelectedColorCol(int col, TColor color);
    void SetSelectedColorRow(int row, TColor color);
    // The selected-text tables have no stream form, hence no flag.
    void SetSelectedFontColorCell(int col, int row, TColor color);
    void SetSelectedFontColorCol(int col, TColor color);
    void SetSelectedFontColorRow(int row, TColor color);
    void SetHintCell(int col, int row, std::string hint);

    // ---- Brushes made on demand ----------------------------------------------------------
    // The entry's brush; an absent entry first gets a new brush copied from the grid's own
    // brush (also for the fixed tables). No flag is set.
    TMyBrush& BrushCellEntry(int col, int row);
    TMyBrush& BrushColEntry(int col);
    TMyBrush& BrushRowEntry(int row);
    TMyBrush& BrushFixedColEntry(int col);
    TMyBrush& BrushFixedRowEntry(int row);
    // The same for an entry of one of this model's brush tables.
    TMyBrush& BrushEntry(CellTable<BrushPtr>& table, int col, int row);
    TMyBrush& BrushEntry(base::IndexTable<BrushPtr>& table, int index);

    // New font and brush objects of the grid's (change connected to a repaint), for callers
    // that build one and store it themselves.
    FontPtr NewFont() const;
    BrushPtr NewBrush() const;

    // ---- Stored-data flags ---------------------------------------------------------------
    bool Flag(StoredTable table) const noexcept { return flags_[static_cast<std::size_t>(table)]; }
    void SetFlag(StoredTable table, bool stored) noexcept {
        flags_[static_cast<std::size_t>(table)] = stored;
    }

    // ---- Tables (raw access: storing here sets no flag and asks no repaint) ---------------
    CellTable<TMyAlign>& AlignCell() noexcept { return alignCell_; }
    base::IndexTable<TMyAlign>& AlignCol() noexcept { return alignCol_; }
    base::IndexTable<TMyAlign>& AlignRow() noexcept { return alignRow_; }
    base::IndexTable<TMyAlign>& FixedAlignCol() noexcept { return fixedAlignCol_; }
    base::IndexTable<TMyAlign>& FixedAlignRow() noexcept { return fixedAlignRow_; }
    CellTable<bool>& EditCell() noexcept { return editCell_; }
    base::IndexTable<bool>& EditCol() noexcept { return editCol_; }
    base::IndexTable<bool>& EditRow() noexcept { return editRow_; }
    CellTable<FontPtr>& FontCell() noexcept { return fontCell_; }
    base::IndexTable<FontPtr>& FontCol() noexcept { return fontCol_; }
    base::IndexTable<FontPtr>& FontRow() noexcept { return fontRow_; }
    base::IndexTable<FontPtr>& FontFixedCol() noexcept { return fontFixedCol_; }
    base::IndexTable<FontPtr>& FontFixedRow() noexcept { return fontFixedRow_; }
    CellTable<BrushPtr>& BrushCell() noexcept { return brushCell_; }
    base::IndexTable<BrushPtr>& BrushCol() noexcept { return brushCol_; }
    base::IndexTable<BrushPtr>& BrushRow() noexcept { return brushRow_; }
    base::IndexTable<BrushPtr>& BrushFixedCol() noexcept { return brushFixedCol_; }
    base::IndexTable<BrushPtr>& BrushFixedRow() noexcept { return brushFixedRow_; }
    CellTable<TColor>& SelectedColorCell() noexcept { return selectedColorCell_; }
    base::IndexTable<TColor>& SelectedColorCol() noexcept { return selectedColorCol_; }
    base::IndexTable<TColor>& SelectedColorRow() noexcept { return selectedColorRow_; }
    CellTable<TColor>& SelectedFontColorCell() noexcept { return selectedFontColorCell_; }
    base::IndexTable<TColor>& SelectedFontColorCol() noexcept { return selectedFontColorCol_; }
    base::IndexTable<TColor>& SelectedFontColorRow() noexcept { return selectedFontColorRow_; }
    CellTable<std::string>& HintCell() noexcept { return hintCell_; }

    const CellTable<TMyAlign>& AlignCell() const noexcept { return alignCell_; }
    const base::IndexTable<TMyAlign>& AlignCol() const noexcept { return alignCol_; }
    const base::IndexTable<TMyAlign>& AlignRow() const noexcept { return alignRow_; }
    const base::IndexTable<TMyAlign>& FixedAlignCol() const noexcept { return fixedAlignCol_; }
    const base::IndexTable<TMyAlign>& FixedAlignRow() const noexcept { return fixedAlignRow_; }
    const CellTable<bool>& EditCell() const noexcept { return editCell_; }
    const base::IndexTable<bool>& EditCol() const noexcept { return editCol_; }
    const base::IndexTable<bool>& EditRow() const noexcept { return editRow_; }
    const CellTable<FontPtr>& FontCell() const noexcept { return fontCell_; }
    const base::IndexTable<FontPtr>& FontCol() const noexcept { return fontCol_; }
    const base::IndexTable<FontPtr>& FontRow() const noexcept { return fontRow_; }
    const base::IndexTable<FontPtr>& FontFixedCol() const noexcept { return fontFixedCol_; }
    const base::IndexTable<FontPtr>& FontFixedRow() const noexcept { return fontFixedRow_; }
    const CellTable<BrushPtr>& BrushCell() const noexcept { return brushCell_; }
    const base::IndexTable<BrushPtr>& BrushCol() const noexcept { return brushCol_; }
    const base::IndexTable<BrushPtr>& BrushRow() const noexcept { return brushRow_; }
    const base::IndexTable<BrushPtr>& BrushFixedCol() const noexcept { return brushFixedCol_; }
    const base::IndexTable<BrushPtr>& BrushFixedRow() const noexcept { return brushFixedRow_; }
    const CellTable<TColor>& SelectedColorCell() const noexcept { return selectedColorCell_; }
    const base::IndexTable<TColor>& SelectedColorCol() const noexcept { return selectedColorCol_; }
    const base::IndexTable<TColor>& SelectedColorRow() const noexcept { return selectedColorRow_; }
    const CellTable<TColor>& SelectedFontColorCell() const noexcept {
        return selectedFontColorCell_;
    }
    const base::IndexTable<TColor>& SelectedFontColorCol() const noexcept {
        return selectedFontColorCol_;
    }
    const base::IndexTable<TColor>& SelectedFontColorRow() const noexcept {
        return selectedFontColorRow_;
    }
    const CellTable<std::string>& HintCell() const noexcept { return hintCell_; }

    // The table behind a stored-data flag (every one but Cells: the grid keeps its texts).
    template <StoredTable T> auto& Table() noexcept { return tableOf<T>(*this); }
    template <StoredTable T> const auto& Table() const noexcept { return tableOf<T>(*this); }

    // ---- Structure changes (settings only; the grid moves the texts) ----------------------
    // An absent entry at index in every column table (cell tables along the column
    // dimension); index is taken as given.
    void insertColumnSettings(int index);
    void insertRowSettings(int index);
    // The entry of column (row) from goes to to in every table, cell tables included.
    void moveColumnSettings(int from, int to);
    void moveRowSettings(int from, int to);

    // Empties every table, releasing its values; flags and defaults stay.
    void clearTables() noexcept;

private:
    template <StoredTable T, typename Self> static auto& tableOf(Self& self) noexcept {
        using S = StoredTable;
        static_assert(T != S::Cells, "the grid keeps the texts");
        if constexpr (T == S::AlignCell) {
            return self.alignCell_;
        } else if constexpr (T == S::AlignCol) {
            return self.alignCol_;
        } else if constexpr (T == S::AlignRow) {
            return self.alignRow_;
        } else if constexpr (T == S::FixedAlignCol) {
            return self.fixedAlignCol_;
        } else if constexpr (T == S::FixedAlignRow) {
            return self.fixedAlignRow_;
        } else if constexpr (T == S::EditCell) {
            return self.editCell_;
        } else if constexpr (T == S::EditCol) {
            return self.editCol_;
        } else if constexpr (T == S::EditRow) {
            return self.editRow_;
        } else if constexpr (T == S::HintCell) {
            return self.hintCell_;
        } else if constexpr (T == S::FontCell) {
            return self.fontCell_;
        } else if constexpr (T == S::FontCol) {
            return self.fontCol_;
        } else if constexpr (T == S::FontRow) {
            return self.fontRow_;
        } else if constexpr (T == S::FontFixedCol) {
            return self.fontFixedCol_;
        } else if constexpr (T == S::FontFixedRow) {
            return self.fontFixedRow_;
        } else if constexpr (T == S::BrushCell) {
            return self.brushCell_;
        } else if constexpr (T == S::BrushCol) {
            return self.brushCol_;
        } else if constexpr (T == S::BrushRow) {
            return self.brushRow_;
        } else if constexpr (T == S::BrushFixedCol) {
            return self.brushFixedCol_;
        } else if constexpr (T == S::BrushFixedRow) {
            return self.brushFixedRow_;
        } else if constexpr (T == S::SelectedColorCell) {
            return self.selectedColorCell_;
        } else if constexpr (T == S::SelectedColorCol) {
            return self.selectedColorCol_;
        } else {
            static_assert(T == S::SelectedColorRow);
            return self.selectedColorRow_;
        }
    }

    void repaint() const;
    void connect(TMyFont& font) const;
    void connect(TMyBrush& brush) const;
    FontPtr copyOf(const TMyFont& font) const;
    BrushPtr copyOf(const TMyBrush& brush) const;
    void stored(StoredTable table);
    const TMyBrush& syncedOwnBrush() const noexcept;

    const GridShape& shape_;
    std::function<void()> repaint_;
    std::function<void()> ownFontChanged_;
    std::array<bool, storedTableCount> flags_{};

    TMyAlign alignment_ = alLeft;
    bool editable_ = true;
    TColor selectedCellColor_ = defaultSelectedCellColor;
    TColor selectedFontColor_ = defaultSelectedFontColor;

    TMyFont ownFont_;
    mutable TMyBrush ownBrush_;   // colour follows the grid's Color
    mutable TMyBrush fixedBrush_; // colour follows the grid's FixedColor

    CellTable<TMyAlign> alignCell_;
    base::IndexTable<TMyAlign> alignCol_, alignRow_, fixedAlignCol_, fixedAlignRow_;
    CellTable<bool> editCell_;
    base::IndexTable<bool> editCol_, editRow_;
    CellTable<FontPtr> fontCell_;
    base::IndexTable<FontPtr> fontCol_, fontRow_, fontFixedCol_, fontFixedRow_;
    CellTable<BrushPtr> brushCell_;
    base::IndexTable<BrushPtr> brushCol_, brushRow_, brushFixedCol_, brushFixedRow_;
    CellTable<TColor> selectedColorCell_;
    base::IndexTable<TColor> selectedColorCol_, selectedColorRow_;
    CellTable<TColor> selectedFontColorCell_;
    base::IndexTable<TColor> selectedFontColorCol_, selectedFontColorRow_;
    CellTable<std::string> hintCell_;
};

} // namespace aligngrid
