#include "widgets/aligngrid/model/alignstreamsettings.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace aligngrid {

using format::ComponentWriter;

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

// Writes one property when its table's flag is set; a read-only property never.
template <std::size_t I>
void writeProperty(const AlignSettings& s, int cols, int rows, const CellTextSource& texts,
                   ComponentWriter& out) {
    static constexpr const StreamProperty& property = streamProperties[I];
    if constexpr (property.written()) {
        if (!s.Flag(property.table)) {
            return;
        }
        out.writePropName(property.name);
        if constexpr (property.table == StoredTable::Cells) {
            out.writeListBegin();
            for (int col = 0; col < cols; ++col) {
                texts.forEachText(col, rows, [&out, col](int row, const std::string& text) {
                    out.writeInteger(col);
                    out.writeInteger(row);
                    out.writeString(text);
                });
            }
            out.writeListEnd();
        } else {
            const auto& table = s.Table<property.table>();
            const int count = property.lines == StreamLines::Row ? rows : cols;
            const auto value = [&out](const auto& v) {
                if constexpr (property.record == StreamRecord::Text) {
                    out.writeString(v);
                } else if constexpr (property.record == StreamRecord::Font) {
                    writeFont(out, *v);
                } else if constexpr (property.record == StreamRecord::Brush) {
                    writeBrush(out, *v);
                } else {
                    writeColor(out, v);
                }
            };
            if constexpr (property.byteRecords() && property.lines == StreamLines::Cell) {
                writeCellBlock(out, table, cols, rows);
            } else if constexpr (property.byteRecords()) {
                writeIndexBlock(out, table, count);
            } else if constexpr (property.lines == StreamLines::Cell) {
                writeCellList(out, table, cols, rows, value);
            } else {
                writeIndexList(out, table, count, value);
            }
        }
    }
}

template <std::size_t... I>
void writeProperties(const AlignSettings& s, int cols, int rows, const CellTextSource& texts,
                     ComponentWriter& out, std::index_sequence<I...>) {
    (writeProperty<I>(s, cols, rows, texts, out), ...);
}

// ---- Reading ------------------------------------------------------------------------------

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

// The items a property is read as.
template <StreamRecord record> struct RecordValue { using type = TColor; };
template <> struct RecordValue<StreamRecord::Align> { using type = std::uint8_t; };
template <> struct RecordValue<StreamRecord::Edit> { using type = std::uint8_t; };
template <> struct RecordValue<StreamRecord::Text> { using type = std::string; };
template <> struct RecordValue<StreamRecord::Font> { using type = FontValue; };
template <> struct RecordValue<StreamRecord::Brush> { using type = BrushValue; };
template <StreamLines lines, StreamRecord record, StoredTable table>
using ItemsOf =
    std::conditional_t<table == StoredTable::Cells, StreamCellTexts,
                       std::vector<std::conditional_t<
                           lines == StreamLines::Cell, CellItem<typename RecordValue<record>::type>,
                           IndexItem<typename RecordValue<record>::type>>>>;

// The value a table keeps for a read item.
template <StreamRecord record, typename V>
auto tableValue(const AlignSettings& settings, const V& value) {
    if constexpr (record == StreamRecord::Align) {
        return static_cast<TMyAlign>(value);
    } else if constexpr (record == StreamRecord::Edit) {
        return value != 0;
    } else if constexpr (record == StreamRecord::Font) {
        return makeFont(settings, value);
    } else if constexpr (record == StreamRecord::Brush) {
        return makeBrush(settings, value);
    } else {
        return value;
    }
}

// Stores one property's items into its table (texts into the held texts), replacing and
// releasing earlier entries.
template <std::size_t I>
void storeProperty(AlignSettings& s, DefinedItems& read, StreamTexts& texts) {
    static constexpr const StreamProperty& property = streamProperties[I];
    auto& items = std::get<ItemsOf<property.lines, property.record, property.table>>(read);
    if constexpr (property.table == StoredTable::Cells) {
        texts.add(items);
    } else {
        auto& table = s.Table<property.table>();
        for (auto& item : items) {
            if constexpr (property.flag == StreamFlag::ColorsBrushes &&
                          property.lines == StreamLines::Cell) {
                s.BrushEntry(table, item.col, item.row).setColor(item.value);
            } else if constexpr (property.flag == StreamFlag::ColorsBrushes) {
                s.BrushEntry(table, item.index).setColor(item.value);
            } else if constexpr (property.lines == StreamLines::Cell) {
                table.store(item.col, item.row, tableValue<property.record>(s, item.value));
            } else {
                table.store(item.index, tableValue<property.record>(s, item.value));
            }
        }
    }
}

using StoreProperty = void (*)(AlignSettings&, DefinedItems&, StreamTexts&);

template <std::size_t... I>
constexpr std::array<StoreProperty, sizeof...(I)> storers(std::index_sequence<I...>) {
    return {&storeProperty<I>...};
}

// The store step of each property, by its place in the table.
constexpr std::array<StoreProperty, definedPropertyCount> kStoreProperty =
    storers(std::make_index_sequence<definedPropertyCount>());

} // namespace

void writeDefinedProperties(const AlignSettings& s, int colCount, int rowCount,
                            const CellTextSource& texts, ComponentWriter& out) {
    writeProperties(s, writableLimit(colCount), writableLimit(rowCount), texts, out,
                    std::make_index_sequence<definedPropertyCount>());
}

void StreamTexts::add(const StreamCellTexts& list) {
    if (!list.empty()) {
        lists_.push_back(list);
    }
}

std::vector<CellItem<std::string>> StreamTexts::take() {
    std::vector<CellItem<std::string>> items;
    for (const StreamCellTexts& list : lists_) {
        list.forEach([&items](int col, int row, std::string&& text) {
            items.push_back({col, row, std::move(text)});
        });
    }
    lists_.clear();
    // Stable: of two items for one cell the later one stays (it replaced the earlier).
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return a.col != b.col ? a.col < b.col : a.row < b.row;
    });
    std::vector<CellItem<std::string>> texts;
    texts.reserve(items.size());
    for (auto& item : items) {
        if (!texts.empty() && texts.back().col == item.col && texts.back().row == item.row) {
            texts.back() = std::move(item);
        } else {
            texts.push_back(std::move(item));
        }
    }
    return texts;
}

void StreamTexts::forEach(const std::function<void(int col, int row, std::string&& text)>& visit) {
    // What a grid writes, one list in cell order, goes straight from the bytes to the visitor.
    if (lists_.size() == 1 && lists_.front().inCellOrder()) {
        lists_.front().forEach(visit);
        lists_.clear();
        return;
    }
    for (CellItem<std::string>& item : take()) {
        visit(item.col, item.row, std::move(item.value));
    }
}

void applyDefinedProperties(AlignSettings& settings, std::vector<DefinedValue>&& values,
                            StreamTexts& texts) {
    for (DefinedValue& value : values) {
        const StreamProperty& property = streamProperties[value.order];
        const bool read = std::visit([](const auto& items) { return !items.empty(); }, value.items);
        kStoreProperty[value.order](settings, value.items, texts);
        if (property.flag == StreamFlag::FollowsRead) {
            settings.SetFlag(property.table, read);
        } else if (read) {
            settings.SetFlag(property.table, true);
        }
    }
}

} // namespace aligngrid
