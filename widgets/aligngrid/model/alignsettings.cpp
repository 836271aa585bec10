#include "widgets/aligngrid/model/alignsettings.h"

namespace aligngrid {

namespace {

const std::string& emptyText() noexcept {
    static const std::string empty;
    return empty;
}

// Applies one structural change to every column table and every cell table.
template <typename ColumnFn, typename CellFn, typename... Tables>
void eachTable(ColumnFn&& column, CellFn&& cell, Tables&... tables) {
    auto apply = [&](auto& table) {
        if constexpr (requires { table.insertColumn(0); })
            cell(table);
        else
            column(table);
    };
    (apply(tables), ...);
}

} // namespace

AlignSettings::AlignSettings(const GridShape& shape, std::function<void()> onRepaint)
    : shape_(shape), repaint_(std::move(onRepaint)) {
    ownFont_.setOnChange([this] {
        if (ownFontChanged_)
            ownFontChanged_();
        else
            repaint();
    });
    connect(ownBrush_);
    fixedBrush_.color_ = shape_.FixedColor();
    connect(fixedBrush_);
}

AlignSettings::~AlignSettings() {
    clearTables();
}

void AlignSettings::repaint() const {
    if (repaint_)
        repaint_();
}

void AlignSettings::connect(TMyFont& font) const {
    font.setOnChange([this] { repaint(); });
}

void AlignSettings::connect(TMyBrush& brush) const {
    brush.setOnChange([this] { repaint(); });
}

FontPtr AlignSettings::NewFont() const {
    auto font = std::make_unique<TMyFont>();
    connect(*font);
    return font;
}

BrushPtr AlignSettings::NewBrush() const {
    auto brush = std::make_unique<TMyBrush>();
    connect(*brush);
    return brush;
}

FontPtr AlignSettings::copyOf(const TMyFont& font) const {
    auto copy = std::make_unique<TMyFont>();
    copy->Assign(font);
    connect(*copy);
    return copy;
}

BrushPtr AlignSettings::copyOf(const TMyBrush& brush) const {
    auto copy = std::make_unique<TMyBrush>();
    copy->Assign(brush);
    connect(*copy);
    return copy;
}

void AlignSettings::stored(StoredTable table) {
    SetFlag(table, true);
    repaint();
}

// ---- Defaults and own objects ----------------------------------------------------------------

void AlignSettings::setAlignment(TMyAlign alignment) {
    alignment_ = alignment;
    repaint();
}

void AlignSettings::setSelectedCellColor(TColor color) {
    selectedCellColor_ = color;
    repaint();
}

void AlignSettings::setSelectedFontColor(TColor color) {
    selectedFontColor_ = color;
    repaint();
}

const TMyBrush& AlignSettings::syncedOwnBrush() const noexcept {
    // The grid's colour may be set on the platform grid directly; the brush follows quietly.
    ownBrush_.color_ = shape_.Color();
    return ownBrush_;
}

TMyBrush& AlignSettings::Brush() noexcept {
    syncedOwnBrush();
    return ownBrush_;
}

const TMyBrush& AlignSettings::Brush() const noexcept {
    return syncedOwnBrush();
}

const TMyBrush& AlignSettings::FixedBrush() const noexcept {
    fixedBrush_.color_ = shape_.FixedColor();
    return fixedBrush_;
}

void AlignSettings::fixedColorChanged() {
    fixedBrush_.setColor(shape_.FixedColor());
}

// ---- Lookups ---------------------------------------------------------------------------------

bool AlignSettings::IsFixedCell(int col, int row) const noexcept {
    return col < shape_.FixedCols() || row < shape_.FixedRows();
}

TMyAlign AlignSettings::GetCellAlignment(int col, int row) const noexcept {
    if (const auto* value = alignCell_.find(col, row))
        return *value;
    const bool fixed = IsFixedCell(col, row);
    if (const auto* value = (fixed ? fixedAlignCol_ : alignCol_).find(col))
        return *value;
    if (const auto* value = (fixed ? fixedAlignRow_ : alignRow_).find(row))
        return *value;
    return alignment_;
}

const TMyFont& AlignSettings::GetCellFont(int col, int row) const noexcept {
    if (const auto* font = fontCell_.find(col, row))
        return **font;
    const bool fixed = IsFixedCell(col, row);
    if (const auto* font = (fixed ? fontFixedCol_ : fontCol_).find(col))
        return **font;
    if (const auto* font = (fixed ? fontFixedRow_ : fontRow_).find(row))
        return **font;
    return ownFont_;
}

const TMyBrush& AlignSettings::GetCellBrush(int col, int row) const noexcept {
    if (const auto* brush = brushCell_.find(col, row))
        return **brush;
    const bool fixed = IsFixedCell(col, row);
    if (const auto* brush = (fixed ? brushFixedCol_ : brushCol_).find(col))
        return **brush;
    if (const auto* brush = (fixed ? brushFixedRow_ : brushRow_).find(row))
        return **brush;
    return fixed ? FixedBrush() : syncedOwnBrush();
}

TColor AlignSettings::GetCellColor(int col, int row) const noexcept {
    return GetCellBrush(col, row).Color();
}

bool AlignSettings::IsCellEditable(int col, int row) const noexcept {
    if (const auto* value = editCell_.find(col, row))
        return *value;
    if (const auto* value = editCol_.find(col))
        return *value;
    if (const auto* value = editRow_.find(row))
        return *value;
    return editable_;
}

TColor AlignSettings::GetSelectedCellColor(int col, int row) const noexcept {
    if (const auto* value = selectedColorCell_.find(col, row))
        return *value;
    if (const auto* value = selectedColorCol_.find(col))
        return *value;
    if (const auto* value = selectedColorRow_.find(row))
        return *value;
    return selectedCellColor_;
}

TColor AlignSettings::GetSelectedFontColor(int col, int row) const noexcept {
    if (const auto* value = selectedFontColorCell_.find(col, row))
        return *value;
    if (const auto* value = selectedFontColorCol_.find(col))
        return *value;
    if (const auto* value = selectedFontColorRow_.find(row))
        return *value;
    return selectedFontColor_;
}

const std::string& AlignSettings::GetCellHint(int col, int row) const noexcept {
    const auto* hint = hintCell_.find(col, row);
    return hint ? *hint : emptyText();
}

// ---- Setters ---------------------------------------------------------------------------------

void AlignSettings::SetAlignCell(int col, int row, TMyAlign alignment) {
    alignCell_.store(col, row, alignment);
    stored(StoredTable::AlignCell);
}

void AlignSettings::SetAlignCol(int col, TMyAlign alignment) {
    alignCol_.store(col, alignment);
    stored(StoredTable::AlignCol);
}

void AlignSettings::SetAlignRow(int row, TMyAlign alignment) {
    alignRow_.store(row, alignment);
    stored(StoredTable::AlignRow);
}

void AlignSettings::SetFixedAlignCol(int col, TMyAlign alignment) {
    fixedAlignCol_.store(col, alignment);
    stored(StoredTable::FixedAlignCol);
}

void AlignSettings::SetFixedAlignRow(int row, TMyAlign alignment) {
    fixedAlignRow_.store(row, alignment);
    stored(StoredTable::FixedAlignRow);
}

void AlignSettings::SetEditCell(int col, int row, bool editable) {
    editCell_.store(col, row, editable);
    stored(StoredTable::EditCell);
}

void AlignSettings::SetEditCol(int col, bool editable) {
    editCol_.store(col, editable);
    stored(StoredTable::EditCol);
}

void AlignSettings::SetEditRow(int row, bool editable) {
    editRow_.store(row, editable);
    stored(StoredTable::EditRow);
}

void AlignSettings::SetFontCell(int col, int row, const TMyFont& font) {
    fontCell_.store(col, row, copyOf(font));
    stored(StoredTable::FontCell);
}

void AlignSettings::SetFontCol(int col, const TMyFont& font) {
    fontCol_.store(col, copyOf(font));
    stored(StoredTable::FontCol);
}

void AlignSettings::SetFontRow(int row, const TMyFont& font) {
    fontRow_.store(row, copyOf(font));
    stored(StoredTable::FontRow);
}

void AlignSettings::SetFontFixedCol(int col, const TMyFont& font) {
    fontFixedCol_.store(col, copyOf(font));
    stored(StoredTable::FontFixedCol);
}

void AlignSettings::SetFontFixedRow(int row, const TMyFont& font) {
    fontFixedRow_.store(row, copyOf(font));
    stored(StoredTable::FontFixedRow);
}

void AlignSettings::SetBrushCell(int col, int row, const TMyBrush& brush) {
    brushCell_.store(col, row, copyOf(brush));
    stored(StoredTable::BrushCell);
}

void AlignSettings::SetBrushCol(int col, const TMyBrush& brush) {
    brushCol_.store(col, copyOf(brush));
    stored(StoredTable::BrushCol);
}

void AlignSettings::SetBrushRow(int row, const TMyBrush& brush) {
    brushRow_.store(row, copyOf(brush));
    stored(StoredTable::BrushRow);
}

void AlignSettings::SetBrushFixedCol(int col, const TMyBrush& brush) {
    brushFixedCol_.store(col, copyOf(brush));
    stored(StoredTable::BrushFixedCol);
}

void AlignSettings::SetBrushFixedRow(int row, const TMyBrush& brush) {
    brushFixedRow_.store(row, copyOf(brush));
    stored(StoredTable::BrushFixedRow);
}

void AlignSettings::SetSelectedColorCell(int col, int row, TColor color) {
    selectedColorCell_.store(col, row, color);
    stored(StoredTable::SelectedColorCell);
}

void AlignSettings::SetSelectedColorCol(int col, TColor color) {
    selectedColorCol_.store(col, color);
    stored(StoredTable::SelectedColorCol);
}

void AlignSettings::SetSelectedColorRow(int row, TColor color) {
    selectedColorRow_.store(row, color);
    stored(StoredTable::SelectedColorRow);
}

void AlignSettings::SetSelectedFontColorCell(int col, int row, TColor color) {
    selectedFontColorCell_.store(col, row, color);
    repaint();
}

void AlignSettings::SetSelectedFontColorCol(int col, TColor color) {
    selectedFontColorCol_.store(col, color);
    repaint();
}

void AlignSettings::SetSelectedFontColorRow(int row, TColor color) {
    selectedFontColorRow_.store(row, color);
    repaint();
}

void AlignSettings::SetHintCell(int col, int row, std::string hint) {
    hintCell_.store(col, row, std::move(hint));
    stored(StoredTable::HintCell);
}

// ---- Brushes made on demand ------------------------------------------------------------------

TMyBrush& AlignSettings::BrushEntry(CellTable<BrushPtr>& table, int col, int row) {
    if (auto* brush = table.find(col, row))
        return **brush;
    return *table.store(col, row, copyOf(syncedOwnBrush()));
}

TMyBrush& AlignSettings::BrushEntry(base::IndexTable<BrushPtr>& table, int index) {
    if (auto* brush = table.find(index))
        return **brush;
    return *table.store(index, copyOf(syncedOwnBrush()));
}

TMyBrush& AlignSettings::BrushCellEntry(int col, int row) {
    return BrushEntry(brushCell_, col, row);
}

TMyBrush& AlignSettings::BrushColEntry(int col) {
    return BrushEntry(brushCol_, col);
}

TMyBrush& AlignSettings::BrushRowEntry(int row) {
    return BrushEntry(brushRow_, row);
}

TMyBrush& AlignSettings::BrushFixedColEntry(int col) {
    return BrushEntry(brushFixedCol_, col);
}

TMyBrush& AlignSettings::BrushFixedRowEntry(int row) {
    return BrushEntry(brushFixedRow_, row);
}

// ---- Structure changes -----------------------------------------------------------------------

void AlignSettings::insertColumnSettings(int index) {
    eachTable([index](auto& table) { table.insertAbsent(index); },
              [index](auto& table) { table.insertColumn(index); }, alignCol_, fixedAlignCol_,
              alignCell_, editCol_, editCell_, selectedColorCol_, selectedColorCell_,
              selectedFontColorCol_, selectedFontColorCell_, fontCol_, fontFixedCol_, fontCell_,
              brushCol_, brushFixedCol_, brushCell_, hintCell_);
}

void AlignSettings::insertRowSettings(int index) {
    eachTable([index](auto& table) { table.insertAbsent(index); },
              [index](auto& table) { table.insertRow(index); }, alignRow_, fixedAlignRow_, editRow_,
              selectedColorRow_, selectedFontColorRow_, fontRow_, fontFixedRow_, brushRow_,
              brushFixedRow_, alignCell_, editCell_, selectedColorCell_, selectedFontColorCell_,
              fontCell_, brushCell_, hintCell_);
}

void AlignSettings::moveColumnSettings(int from, int to) {
    if (from == to)
        return;
    eachTable([from, to](auto& table) { table.move(from, to); },
              [from, to](auto& table) { table.moveColumn(from, to); }, alignCol_, fixedAlignCol_,
              alignCell_, editCol_, editCell_, selectedColorCol_, selectedColorCell_,
              selectedFontColorCol_, selectedFontColorCell_, fontCol_, fontFixedCol_, fontCell_,
              brushCol_, brushFixedCol_, brushCell_, hintCell_);
}

void AlignSettings::moveRowSettings(int from, int to) {
    if (from == to)
        return;
    eachTable([from, to](auto& table) { table.move(from, to); },
              [from, to](auto& table) { table.moveRow(from, to); }, alignRow_, fixedAlignRow_,
              editRow_, selectedColorRow_, selectedFontColorRow_, fontRow_, fontFixedRow_,
              brushRow_, brushFixedRow_, alignCell_, editCell_, selectedColorCell_,
              selectedFontColorCell_, fontCell_, brushCell_, hintCell_);
}

void AlignSettings::clearTables() noexcept {
    alignCell_.clear();
    alignCol_.clear();
    alignRow_.clear();
    fixedAlignCol_.clear();
    fixedAlignRow_.clear();
    editCell_.clear();
    editCol_.clear();
    editRow_.clear();
    fontCell_.clear();
    fontCol_.clear();
    fontRow_.clear();
    fontFixedCol_.clear();
    fontFixedRow_.clear();
    brushCell_.clear();
    brushCol_.clear();
    brushRow_.clear();
    brushFixedCol_.clear();
    brushFixedRow_.clear();
    selectedColorCell_.clear();
    selectedColorCol_.clear();
    selectedColorRow_.clear();
    selectedFontColorCell_.clear();
    selectedFontColorCol_.clear();
    selectedFontColorRow_.clear();
    hintCell_.clear();
}

} // namespace aligngrid
