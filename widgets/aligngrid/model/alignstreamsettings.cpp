#include "widgets/aligngrid/model/alignstreamsettings.h"

#include <algorithm>
#include <cstdint>

namespace aligngrid {

using format::ComponentWriter;
using P = DefinedProperty;

namespace {

// ---- Writing ------------------------------------------------------------------------------

// Indices a stream can hold without wrapping onto another cell.
int writableLimit(int count) {
    return std::clamp(count, 0, streamIndexLimit);
}

void writeColor(ComponentWriter& out, TColor color) {
    out.writeInteger(static_cast<std::int32_t>(color));
}

void writeFont(ComponentWriter& out, const TMyFont& font) {
    writeColor(out, font.Color());
    out.writeInteger(font.Height());
    out.writeString(font.Name());
    out.writeInteger(font.Pitch());
    out.writeInteger(font.Style());
}

void writeBrush(ComponentWriter& out, const TMyBrush& brush) {
    writeColor(out, brush.Color());
    out.writeInteger(brush.Style());
}

template <typename T>
void writeCellBlock(ComponentWriter& out, const CellTable<T>& table, int cols, int rows) {
    const std::size_t begun = out.beginBinary();
    for (const auto& [col, rowList] : table) {
        if (col >= cols) {
            break;
        }
        for (const auto& [row, value] : rowList) {
            if (row >= rows) {
                break;
            }
            out.appendU16(static_cast<std::uint16_t>(col));
            out.appendU16(static_cast<std::uint16_t>(row));
            out.appendU8(static_cast<std::uint8_t>(value));
        }
    }
    out.endBinary(begun);
}

template <typename T>
void writeIndexBlock(ComponentWriter& out, const base::IndexTable<T>& table, int count) {
    const std::size_t begun = out.beginBinary();
    for (const auto& [index, value] : table) {
        if (index >= count) {
            break;
        }
        out.appendU16(static_cast<std::uint16_t>(index));
        out.appendU8(static_cast<std::uint8_t>(value));
    }
    out.endBinary(begun);
}

// An object entry is written only when its object was changed.
template <typename T> bool writable(const T&) {
    return true;
}
template <typename T> bool writable(const std::unique_ptr<T>& object) {
    return object && object->Changed();
}

template <typename T, typename WriteValue>
void writeCellList(ComponentWriter& out, const CellTable<T>& table, int cols, int rows,
                   WriteValue writeValue) {
    out.writeListBegin();
    for (const auto& [col, rowList] : table) {
        if (col >= cols) {
            break;
        }
        for (const auto& [row, value] : rowList) {
            if (row >= rows) {
                break;
            }
            if (writable(value)) {
                out.writeInteger(col);
                out.writeInteger(row);
                writeValue(value);
            }
        }
    }
    out.writeListEnd();
}

template <typename T, typename WriteValue>
void writeIndexList(ComponentWriter& out, const base::IndexTable<T>& table, int count,
                    WriteValue writeValue) {
    out.writeListBegin();
    for (const auto& [index, value] : table) {
        if (index >= count) {
            break;
        }
        if (writable(value)) {
            out.writeInteger(index);
            writeValue(value);
        }
    }
    out.writeListEnd();
}

// ---- Reading ------------------------------------------------------------------------------

// Flags that reading sets once an item came and never clears.
bool flagOnlyRises(P property) {
    return property == P::AlignCell || property == P::EditCell || property == P::HintCell ||
           property == P::Cells || property == P::SelectedColorCell;
}

std::optional<StoredTable> tableOf(P property) {
    switch (property) {
    case P::AlignCell:
        return StoredTable::AlignCell;
    case P::AlignCol:
        return StoredTable::AlignCol;
    case P::FixedAlignCol:
        return StoredTable::FixedAlignCol;
    case P::AlignRow:
        return StoredTable::AlignRow;
    case P::FixedAlignRow:
        return StoredTable::FixedAlignRow;
    case P::EditCell:
        return StoredTable::EditCell;
    case P::EditCol:
        return StoredTable::EditCol;
    case P::EditRow:
        return StoredTable::EditRow;
    case P::HintCell:
        return StoredTable::HintCell;
    case P::Cells:
        return StoredTable::Cells;
    case P::FontCell:
        return StoredTable::FontCell;
    case P::FontCol:
        return StoredTable::FontCol;
    case P::FontFixedCol:
        return StoredTable::FontFixedCol;
    case P::FontRow:
        return StoredTable::FontRow;
    case P::FontFixedRow:
        return StoredTable::FontFixedRow;
    case P::BrushCell:
        return StoredTable::BrushCell;
    case P::BrushCol:
        return StoredTable::BrushCol;
    case P::BrushFixedCol:
        return StoredTable::BrushFixedCol;
    case P::BrushRow:
        return StoredTable::BrushRow;
    case P::BrushFixedRow:
        return StoredTable::BrushFixedRow;
    // A colour changes the matching brush, so the brush table must be written again.
    case P::ColorCell:
        return StoredTable::BrushCell;
    case P::ColorCol:
        return StoredTable::BrushCol;
    case P::ColorFixedCol:
        return StoredTable::BrushFixedCol;
    case P::ColorRow:
        return StoredTable::BrushRow;
    case P::ColorFixedRow:
        return StoredTable::BrushFixedRow;
    case P::SelectedColorCell:
        return StoredTable::SelectedColorCell;
    case P::SelectedColorCol:
        return StoredTable::SelectedColorCol;
    case P::SelectedColorRow:
        return StoredTable::SelectedColorRow;
    }
    return std::nullopt;
}

bool isColorProperty(P property) {
    return property == P::ColorCell || property == P::ColorCol || property == P::ColorFixedCol ||
           property == P::ColorRow || property == P::ColorFixedRow;
}

FontPtr makeFont(const AlignSettings& settings, const FontValue& value) {
    FontPtr font = settings.NewFont();
    font->setColor(value.color);
    font->setHeight(value.height);
    font->setName(value.name);
    font->setPitch(value.pitch);
    font->setStyle(value.style);
    return font;
}

BrushPtr makeBrush(const AlignSettings& settings, const BrushValue& value) {
    BrushPtr brush = settings.NewBrush();
    brush->setColor(value.color);
    brush->setStyle(value.style);
    return brush;
}

template <typename T> const T& itemsOf(const DefinedItems& items) {
    return std::get<T>(items);
}

using CellBytes = std::vector<CellItem<std::uint8_t>>;
using IndexBytes = std::vector<IndexItem<std::uint8_t>>;
using CellTexts = std::vector<CellItem<std::string>>;
using CellFonts = std::vector<CellItem<FontValue>>;
using IndexFonts = std::vector<IndexItem<FontValue>>;
using CellBrushes = std::vector<CellItem<BrushValue>>;
using IndexBrushes = std::vector<IndexItem<BrushValue>>;
using CellColors = std::vector<CellItem<TColor>>;
using IndexColors = std::vector<IndexItem<TColor>>;

void storeAlign(base::IndexTable<TMyAlign>& table, const DefinedItems& items) {
    for (const auto& item : itemsOf<IndexBytes>(items)) {
        table.store(item.index, static_cast<TMyAlign>(item.value));
    }
}

void storeEdit(base::IndexTable<bool>& table, const DefinedItems& items) {
    for (const auto& item : itemsOf<IndexBytes>(items)) {
        table.store(item.index, item.value != 0);
    }
}

void storeFonts(const AlignSettings& settings, base::IndexTable<FontPtr>& table,
                const DefinedItems& items) {
    for (const auto& item : itemsOf<IndexFonts>(items)) {
        table.store(item.index, makeFont(settings, item.value));
    }
}

void storeBrushes(const AlignSettings& settings, base::IndexTable<BrushPtr>& table,
                  const DefinedItems& items) {
    for (const auto& item : itemsOf<IndexBrushes>(items)) {
        table.store(item.index, makeBrush(settings, item.value));
    }
}

template <typename Entry> void colorBrushes(const DefinedItems& items, Entry entry) {
    for (const auto& item : itemsOf<IndexColors>(items)) {
        entry(item.index).setColor(item.value);
    }
}

void storeOne(AlignSettings& s, DefinedValue& value, StreamTexts& texts) {
    DefinedItems& items = value.items;
    switch (value.property) {
    case P::AlignCell:
        for (const auto& item : itemsOf<CellBytes>(items)) {
            s.AlignCell().store(item.col, item.row, static_cast<TMyAlign>(item.value));
        }
        break;
    case P::AlignCol:
        storeAlign(s.AlignCol(), items);
        break;
    case P::FixedAlignCol:
        storeAlign(s.FixedAlignCol(), items);
        break;
    case P::AlignRow:
        storeAlign(s.AlignRow(), items);
        break;
    case P::FixedAlignRow:
        storeAlign(s.FixedAlignRow(), items);
        break;
    case P::EditCell:
        for (const auto& item : itemsOf<CellBytes>(items)) {
            s.EditCell().store(item.col, item.row, item.value != 0);
        }
        break;
    case P::EditCol:
        storeEdit(s.EditCol(), items);
        break;
    case P::EditRow:
        storeEdit(s.EditRow(), items);
        break;
    case P::HintCell:
        for (const auto& item : itemsOf<CellTexts>(items)) {
            s.HintCell().store(item.col, item.row, item.value);
        }
        break;
    case P::Cells: {
        texts.add(std::move(std::get<CellTexts>(items)));
        break;
    }
    case P::FontCell:
        for (const auto& item : itemsOf<CellFonts>(items)) {
            s.FontCell().store(item.col, item.row, makeFont(s, item.value));
        }
        break;
    case P::FontCol:
        storeFonts(s, s.FontCol(), items);
        break;
    case P::FontFixedCol:
        storeFonts(s, s.FontFixedCol(), items);
        break;
    case P::FontRow:
        storeFonts(s, s.FontRow(), items);
        break;
    case P::FontFixedRow:
        storeFonts(s, s.FontFixedRow(), items);
        break;
    case P::BrushCell:
        for (const auto& item : itemsOf<CellBrushes>(items)) {
            s.BrushCell().store(item.col, item.row, makeBrush(s, item.value));
        }
        break;
    case P::BrushCol:
        storeBrushes(s, s.BrushCol(), items);
        break;
    case P::BrushFixedCol:
        storeBrushes(s, s.BrushFixedCol(), items);
        break;
    case P::BrushRow:
        storeBrushes(s, s.BrushRow(), items);
        break;
    case P::BrushFixedRow:
        storeBrushes(s, s.BrushFixedRow(), items);
        break;
    case P::ColorCell:
        for (const auto& item : itemsOf<CellColors>(items)) {
            s.BrushCellEntry(item.col, item.row).setColor(item.value);
        }
        break;
    case P::ColorCol:
        colorBrushes(items, [&](int i) -> TMyBrush& { return s.BrushColEntry(i); });
        break;
    case P::ColorFixedCol:
        colorBrushes(items, [&](int i) -> TMyBrush& { return s.BrushFixedColEntry(i); });
        break;
    case P::ColorRow:
        colorBrushes(items, [&](int i) -> TMyBrush& { return s.BrushRowEntry(i); });
        break;
    case P::ColorFixedRow:
        colorBrushes(items, [&](int i) -> TMyBrush& { return s.BrushFixedRowEntry(i); });
        break;
    case P::SelectedColorCell:
        for (const auto& item : itemsOf<CellColors>(items)) {
            s.SelectedColorCell().store(item.col, item.row, item.value);
        }
        break;
    case P::SelectedColorCol:
        for (const auto& item : itemsOf<IndexColors>(items)) {
            s.SelectedColorCol().store(item.index, item.value);
        }
        break;
    case P::SelectedColorRow:
        for (const auto& item : itemsOf<IndexColors>(items)) {
            s.SelectedColorRow().store(item.index, item.value);
        }
        break;
    }
}

} // namespace

void writeDefinedProperties(const AlignSettings& s, int colCount, int rowCount,
                            const CellTextSource& texts, ComponentWriter& out) {
    const int cols = writableLimit(colCount);
    const int rows = writableLimit(rowCount);
    const auto font = [&](const FontPtr& f) { writeFont(out, *f); };
    const auto brush = [&](const BrushPtr& b) { writeBrush(out, *b); };
    const auto color = [&](TColor c) { writeColor(out, c); };
    const auto hint = [&](const std::string& text) { out.writeString(text); };

    for (std::size_t i = 0; i < definedPropertyCount; ++i) {
        const auto property = static_cast<P>(i);
        if (isColorProperty(property)) {
            continue; // read only
        }
        if (!s.Flag(*tableOf(property))) {
            continue;
        }
        out.writePropName(definedPropertyName(property));
        switch (property) {
        case P::AlignCell:
            writeCellBlock(out, s.AlignCell(), cols, rows);
            break;
        case P::AlignCol:
            writeIndexBlock(out, s.AlignCol(), cols);
            break;
        case P::FixedAlignCol:
            writeIndexBlock(out, s.FixedAlignCol(), cols);
            break;
        case P::AlignRow:
            writeIndexBlock(out, s.AlignRow(), rows);
            break;
        case P::FixedAlignRow:
            writeIndexBlock(out, s.FixedAlignRow(), rows);
            break;
        case P::EditCell:
            writeCellBlock(out, s.EditCell(), cols, rows);
            break;
        case P::EditCol:
            writeIndexBlock(out, s.EditCol(), cols);
            break;
        case P::EditRow:
            writeIndexBlock(out, s.EditRow(), rows);
            break;
        case P::HintCell:
            writeCellList(out, s.HintCell(), cols, rows, hint);
            break;
        case P::Cells:
            out.writeListBegin();
            for (int col = 0; col < cols; ++col) {
                texts.forEachText(col, rows, [&out, col](int row, const std::string& text) {
                    out.writeInteger(col);
                    out.writeInteger(row);
                    out.writeString(text);
                });
            }
            out.writeListEnd();
            break;
        case P::FontCell:
            writeCellList(out, s.FontCell(), cols, rows, font);
            break;
        case P::FontCol:
            writeIndexList(out, s.FontCol(), cols, font);
            break;
        case P::FontFixedCol:
            writeIndexList(out, s.FontFixedCol(), cols, font);
            break;
        case P::FontRow:
            writeIndexList(out, s.FontRow(), rows, font);
            break;
        case P::FontFixedRow:
            writeIndexList(out, s.FontFixedRow(), rows, font);
            break;
        case P::BrushCell:
            writeCellList(out, s.BrushCell(), cols, rows, brush);
            break;
        case P::BrushCol:
            writeIndexList(out, s.BrushCol(), cols, brush);
            break;
        case P::BrushFixedCol:
            writeIndexList(out, s.BrushFixedCol(), cols, brush);
            break;
        case P::BrushRow:
            writeIndexList(out, s.BrushRow(), rows, brush);
            break;
        case P::BrushFixedRow:
            writeIndexList(out, s.BrushFixedRow(), rows, brush);
            break;
        case P::SelectedColorCell:
            writeCellList(out, s.SelectedColorCell(), cols, rows, color);
            break;
        case P::SelectedColorCol:
            writeIndexList(out, s.SelectedColorCol(), cols, color);
            break;
        case P::SelectedColorRow:
            writeIndexList(out, s.SelectedColorRow(), rows, color);
            break;
        default:
            break;
        }
    }
}

void StreamTexts::add(std::vector<CellItem<std::string>>&& items) {
    if (items_.empty()) {
        items_ = std::move(items);
        return;
    }
    items_.insert(items_.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
}

std::vector<CellItem<std::string>> StreamTexts::take() {
    // Stable: of two items for one cell the later one stays (it replaced the earlier).
    std::stable_sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) {
        return a.col != b.col ? a.col < b.col : a.row < b.row;
    });
    std::vector<CellItem<std::string>> texts;
    texts.reserve(items_.size());
    for (auto& item : items_) {
        if (!texts.empty() && texts.back().col == item.col && texts.back().row == item.row) {
            texts.back() = std::move(item);
        } else {
            texts.push_back(std::move(item));
        }
    }
    items_.clear();
    return texts;
}

void applyDefinedProperties(AlignSettings& settings, std::vector<DefinedValue>&& values,
                            StreamTexts& texts) {
    for (DefinedValue& value : values) {
        const bool read = std::visit([](const auto& items) { return !items.empty(); }, value.items);
        storeOne(settings, value, texts);
        const StoredTable table = *tableOf(value.property);
        if (flagOnlyRises(value.property) || isColorProperty(value.property)) {
            if (read) {
                settings.SetFlag(table, true);
            }
        } else {
            settings.SetFlag(table, read);
        }
    }
}

} // namespace aligngrid
