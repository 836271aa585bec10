#include "widgets/aligngrid/model/alignstreamdata.h"

#include "format/componentstreamreader.h"

#include <algorithm>
#include <utility>

namespace aligngrid {

using format::ComponentReader;
using format::StreamError;

namespace {

// Colours may come as the platform's colour names.
struct NamedColor {
    std::string_view name;
    TColor color;
};
constexpr NamedColor kNamedColors[] = {{"clBlack", 0x000000},
                                       {"clMaroon", 0x000080},
                                       {"clGreen", 0x008000},
                                       {"clOlive", 0x008080},
                                       {"clNavy", 0x800000},
                                       {"clPurple", 0x800080},
                                       {"clTeal", 0x808000},
                                       {"clGray", 0x808080},
                                       {"clSilver", 0xC0C0C0},
                                       {"clRed", 0x0000FF},
                                       {"clLime", 0x00FF00},
                                       {"clYellow", 0x00FFFF},
                                       {"clBlue", 0xFF0000},
                                       {"clFuchsia", 0xFF00FF},
                                       {"clAqua", 0xFFFF00},
                                       {"clWhite", 0xFFFFFF},
                                       {"clScrollBar", 0x80000000},
                                       {"clBackground", 0x80000001},
                                       {"clActiveCaption", 0x80000002},
                                       {"clInactiveCaption", 0x80000003},
                                       {"clMenu", 0x80000004},
                                       {"clWindow", 0x80000005},
                                       {"clWindowFrame", 0x80000006},
                                       {"clMenuText", 0x80000007},
                                       {"clWindowText", 0x80000008},
                                       {"clCaptionText", 0x80000009},
                                       {"clActiveBorder", 0x8000000A},
                                       {"clInactiveBorder", 0x8000000B},
                                       {"clAppWorkSpace", 0x8000000C},
                                       {"clHighlight", 0x8000000D},
                                       {"clHighlightText", 0x8000000E},
                                       {"clBtnFace", 0x8000000F},
                                       {"clBtnShadow", 0x80000010},
                                       {"clGrayText", 0x80000011},
                                       {"clBtnText", 0x80000012},
                                       {"clInactiveCaptionText", 0x80000013},
                                       {"clBtnHighlight", 0x80000014},
                                       {"cl3DDkShadow", 0x80000015},
                                       {"cl3DLight", 0x80000016},
                                       {"clInfoText", 0x80000017},
                                       {"clInfoBk", 0x80000018}};

[[noreturn]] void badValue() {
    throw StreamError(format::streammessage::kBadValue);
}

int readInRange(ComponentReader& in, int least, int most) {
    const int value = in.readInteger();
    if (value < least || value > most) {
        badValue();
    }
    return value;
}

// A stream index: any integer form, taken modulo 65536.
int readIndex(ComponentReader& in) {
    return static_cast<std::uint16_t>(in.readInteger());
}

TColor readColor(ComponentReader& in) {
    if (in.nextValue() == format::ValueType::Ident) {
        const std::string name = in.readIdent();
        for (const NamedColor& named : kNamedColors) {
            if (named.name == name) {
                return named.color;
            }
        }
        badValue();
    }
    return static_cast<TColor>(in.readInteger());
}

template <std::size_t N>
int readNamed(ComponentReader& in, const std::array<std::string_view, N>& names) {
    const std::string name = in.readIdent();
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) {
        badValue();
    }
    return static_cast<int>(it - names.begin());
}

template <typename E, std::size_t N>
E readEnum(ComponentReader& in, const std::array<std::string_view, N>& names) {
    return static_cast<E>(readNamed(in, names));
}

std::uint32_t readOptions(ComponentReader& in) {
    std::uint32_t options = 0;
    for (const std::string& member : in.readSet()) {
        const auto it = std::find(gridOptionNames.begin(), gridOptionNames.end(), member);
        if (it == gridOptionNames.end()) {
            badValue();
        }
        options |= 1u << (it - gridOptionNames.begin());
    }
    return options;
}

std::vector<int> readSizes(ComponentReader& in) {
    std::vector<int> sizes;
    in.readListBegin();
    while (!in.endOfList()) {
        sizes.push_back(readInRange(in, 0, maxStreamSize));
    }
    in.readListEnd();
    return sizes;
}

// Reads one published property; false when the grid does not know it.
bool readPublished(GridPublished& p, std::string_view name, ComponentReader& in) {
    const auto integer = [&](std::optional<int>& field, int least, int most) {
        field = readInRange(in, least, most);
    };
    if (name == "Left") {
        integer(p.Left, -maxStreamSize, maxStreamSize);
    } else if (name == "Top") {
        integer(p.Top, -maxStreamSize, maxStreamSize);
    } else if (name == "Width") {
        integer(p.Width, 0, maxStreamSize);
    } else if (name == "Height") {
        integer(p.Height, 0, maxStreamSize);
    } else if (name == "TabOrder") {
        integer(p.TabOrder, -1, 65535);
    } else if (name == "Align") {
        p.Align = readNamed(in, alignNames);
    } else if (name == "ColCount") {
        integer(p.ColCount, 1, maxStreamCount);
    } else if (name == "RowCount") {
        integer(p.RowCount, 1, maxStreamCount);
    } else if (name == "FixedCols") {
        integer(p.FixedCols, 0, maxStreamCount);
    } else if (name == "FixedRows") {
        integer(p.FixedRows, 0, maxStreamCount);
    } else if (name == "DefaultColWidth") {
        integer(p.DefaultColWidth, 0, maxStreamSize);
    } else if (name == "DefaultRowHeight") {
        integer(p.DefaultRowHeight, 0, maxStreamSize);
    } else if (name == "ColWidths") {
        p.ColWidths = readSizes(in);
    } else if (name == "RowHeights") {
        p.RowHeights = readSizes(in);
    } else if (name == "Options") {
        p.Options = readOptions(in);
    } else if (name == "Alignment") {
        p.Alignment = readEnum<TMyAlign>(in, alignmentNames);
    } else if (name == "Editable") {
        p.Editable = in.readBoolean();
    } else if (name == "FixedColor") {
        p.FixedColor = readColor(in);
    } else if (name == "ShowCellHints") {
        p.ShowCellHints = in.readBoolean();
    } else if (name == "SelectedCellColor") {
        p.SelectedCellColor = readColor(in);
    } else if (name == "SelectedFontColor") {
        p.SelectedFontColor = readColor(in);
    } else if (name == "AutoEditNextCell") {
        p.AutoEditNextCell = in.readBoolean();
    } else if (name == "NextCellEdit") {
        p.NextCellEdit = readEnum<T_nextcell>(in, nextCellNames);
    } else if (name == "NextCellTab") {
        p.NextCellTab = readEnum<T_nextcell>(in, nextCellNames);
    } else if (name == "AfterLastCellEdit") {
        p.AfterLastCellEdit = readEnum<T_lastcell>(in, lastCellNames);
    } else if (name == "AfterLastCellTab") {
        p.AfterLastCellTab = readEnum<T_lastcell>(in, lastCellNames);
    } else if (name == "DrawSelection") {
        p.DrawSelection = in.readBoolean();
    } else {
        return false;
    }
    return true;
}

void checkBlock(const format::ByteBlock& block, const StreamProperty& property, std::size_t size) {
    if (block.size() % size != 0) {
        throw StreamError(
            format::streammessage::badRecords(std::string(property.name), block.size(), size));
    }
}

std::uint8_t recordValue(format::ByteBlock& block, const StreamProperty& property) {
    const std::uint8_t value = block.readU8();
    if (value > property.byteLimit()) {
        badValue();
    }
    return value;
}

std::vector<CellItem<std::uint8_t>> readCellBlock(ComponentReader& in,
                                                  const StreamProperty& property) {
    format::ByteBlock block = in.readBinary();
    checkBlock(block, property, cellRecordSize);
    std::vector<CellItem<std::uint8_t>> items;
    items.reserve(block.size() / cellRecordSize);
    while (block.left() > 0) {
        CellItem<std::uint8_t> item;
        item.col = block.readU16();
        item.row = block.readU16();
        item.value = recordValue(block, property);
        items.push_back(item);
    }
    return items;
}

std::vector<IndexItem<std::uint8_t>> readIndexBlock(ComponentReader& in,
                                                    const StreamProperty& property) {
    format::ByteBlock block = in.readBinary();
    checkBlock(block, property, indexRecordSize);
    std::vector<IndexItem<std::uint8_t>> items;
    items.reserve(block.size() / indexRecordSize);
    while (block.left() > 0) {
        IndexItem<std::uint8_t> item;
        item.index = block.readU16();
        item.value = recordValue(block, property);
        items.push_back(item);
    }
    return items;
}

FontValue readFont(ComponentReader& in) {
    FontValue font;
    font.color = readColor(in);
    font.height = in.readInteger();
    font.name = in.readString();
    font.pitch = static_cast<TFontPitch>(readInRange(in, fpDefault, fpFixed));
    // Of the style only the low 8 bits count.
    font.style = static_cast<TFontStyles>(in.readInteger() & 0xFF);
    return font;
}

BrushValue readBrush(ComponentReader& in) {
    BrushValue brush;
    brush.color = readColor(in);
    brush.style = static_cast<TBrushStyle>(readInRange(in, bsSolid, bsDiagCross));
    return brush;
}

template <typename V, typename ReadValue>
std::vector<CellItem<V>> readCellList(ComponentReader& in, ReadValue readValue) {
    std::vector<CellItem<V>> items;
    in.readListBegin();
    while (!in.endOfList()) {
        CellItem<V> item;
        item.col = readIndex(in);
        item.row = readIndex(in);
        item.value = readValue(in);
        items.push_back(std::move(item));
    }
    in.readListEnd();
    return items;
}

template <typename V, typename ReadValue>
std::vector<IndexItem<V>> readIndexList(ComponentReader& in, ReadValue readValue) {
    std::vector<IndexItem<V>> items;
    in.readListBegin();
    while (!in.endOfList()) {
        IndexItem<V> item;
        item.index = readIndex(in);
        item.value = readValue(in);
        items.push_back(std::move(item));
    }
    in.readListEnd();
    return items;
}

template <typename V, typename ReadValue>
DefinedItems readList(const StreamProperty& property, ComponentReader& in, ReadValue readValue) {
    if (property.lines == StreamLines::Cell) {
        return readCellList<V>(in, readValue);
    }
    return readIndexList<V>(in, readValue);
}

DefinedItems readDefined(const StreamProperty& property, ComponentReader& in) {
    switch (property.record) {
    case StreamRecord::Align:
    case StreamRecord::Edit:
        if (property.lines == StreamLines::Cell) {
            return readCellBlock(in, property);
        }
        return readIndexBlock(in, property);
    case StreamRecord::Text:
        // Texts are held per cell only.
        if (property.table == StoredTable::Cells) {
            return StreamCellTexts(in);
        }
        return readCellList<std::string>(in, [](ComponentReader& r) { return r.readString(); });
    case StreamRecord::Font:
        return readList<FontValue>(property, in, readFont);
    case StreamRecord::Brush:
        return readList<BrushValue>(property, in, readBrush);
    case StreamRecord::Color:
        return readList<TColor>(property, in, readColor);
    }
    badValue();
}

} // namespace

StreamCellTexts::StreamCellTexts(ComponentReader& in) {
    const std::size_t begin = in.position();
    int lastCol = -1;
    int lastRow = -1;
    in.readListBegin();
    for (; !in.endOfList(); ++count_) {
        const int col = readIndex(in);
        const int row = readIndex(in);
        const format::ValueType tag = in.nextValue();
        if (tag == format::ValueType::String || tag == format::ValueType::LString) {
            in.skipValue(); // code-page bytes: every one is a character
        } else {
            in.readString(); // checks the UTF-8 or UTF-16 text, or refuses another value
        }
        inCellOrder_ = inCellOrder_ && (col > lastCol || (col == lastCol && row > lastRow));
        lastCol = col;
        lastRow = row;
    }
    in.readListEnd();
    list_ = in.data().substr(begin, in.position() - begin);
}

void StreamCellTexts::forEach(
    const std::function<void(int col, int row, std::string&& text)>& visit) const {
    ComponentReader in(list_);
    in.readListBegin();
    while (!in.endOfList()) {
        const int col = readIndex(in);
        const int row = readIndex(in);
        visit(col, row, in.readString());
    }
}

std::optional<std::size_t> definedPropertyNamed(std::string_view name) noexcept {
    for (std::size_t order = 0; order < streamProperties.size(); ++order) {
        if (streamProperties[order].name == name) {
            return order;
        }
    }
    return std::nullopt;
}

GridFormData decodeGridObject(const format::FormObject& object) {
    GridFormData data;
    data.name = object.name;
    for (const format::FormProperty& property : object.properties) {
        ComponentReader in(property.value);
        if (const std::optional<std::size_t> order = definedPropertyNamed(property.name)) {
            data.defined.push_back({*order, readDefined(streamProperties[*order], in)});
        } else if (!readPublished(data.published, property.name, in)) {
            continue; // another published property of the platform grid: already checked
        }
        if (!in.atEnd()) {
            // A value holding more than the property takes (e.g. a list where an integer goes).
            badValue();
        }
    }
    return data;
}

GridFormData decodeGridForm(std::string_view formData) {
    const format::FormObject root = format::parseForm(formData);
    const format::FormObject* grid = format::findObjectOfClass(root, gridClassName);
    if (!grid) {
        throw StreamError("Format de flux incorrect : aucune grille " + std::string(gridClassName) +
                          " dans les données de fiche");
    }
    return decodeGridObject(*grid);
}

} // namespace aligngrid
