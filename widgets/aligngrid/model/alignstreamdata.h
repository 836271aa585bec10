#pragma once
// The aligned grid's form data decoded into plain values: the published properties it knows and
// its 28 defined properties in stream order. Decoding checks every value before the grid is
// touched, so a bad stream changes nothing; applying the result cannot fail. Pure C++ (no Qt).

#include "format/componentstreamreader.h"
#include "format/formdata.h"
#include "widgets/aligngrid/model/aligntypes.h"
#include "widgets/aligngrid/model/mybrush.h"
#include "widgets/aligngrid/model/myfont.h"
#include "widgets/aligngrid/model/streamproperties.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace aligngrid {

// The class name under which the grid appears in form data.
inline constexpr std::string_view gridClassName = "TStringAlignGrid";

// Sizes of the byte records.
inline constexpr std::size_t cellRecordSize = 5;
inline constexpr std::size_t indexRecordSize = 3;
// Stream indices are 16-bit: list indices are read modulo this, byte-block indices hold no more.
inline constexpr int streamIndexLimit = 65536;

struct FontValue {
    TColor color = 0;
    int height = 0;
    std::string name;
    TFontPitch pitch = fpDefault;
    TFontStyles style = 0;
};

struct BrushValue {
    TColor color = 0;
    TBrushStyle style = bsSolid;
};

template <typename V> struct CellItem {
    int col = 0;
    int row = 0;
    V value{};
};

// A Cells list as read: checked whole, its texts left in the form data's bytes (which must
// outlive it) until they are visited. A grid's texts run to millions: they are decoded once,
// straight into the grid, not held a second time on the way.
class StreamCellTexts {
public:
    StreamCellTexts() = default;
    // Checks the list that in begins with and reads over it.
    explicit StreamCellTexts(format::ComponentReader& in);

    bool empty() const noexcept { return count_ == 0; }
    // By column then row, one item per cell: what a grid writes.
    bool inCellOrder() const noexcept { return inCellOrder_; }
    // Calls visit(col, row, text as UTF-8) for every item, in stream order.
    void forEach(const std::function<void(int col, int row, std::string&& text)>& visit) const;

private:
    std::string_view list_; // the list, from its tag to its end
    std::size_t count_ = 0;
    bool inCellOrder_ = true;
};

template <typename V> struct IndexItem {
    int index = 0;
    V value{};
};

// The items of one defined property as read (records of a byte block or items of a list).
using DefinedItems =
    std::variant<std::vector<CellItem<std::uint8_t>>, std::vector<IndexItem<std::uint8_t>>,
                 std::vector<CellItem<std::string>>, StreamCellTexts,
                 std::vector<CellItem<FontValue>>, std::vector<IndexItem<FontValue>>,
                 std::vector<CellItem<BrushValue>>, std::vector<IndexItem<BrushValue>>,
                 std::vector<CellItem<TColor>>, std::vector<IndexItem<TColor>>>;

struct DefinedValue {
    std::size_t order; // the property's place in streamProperties
    DefinedItems items;
};

// Grid options by name, bit i for the name at position i.
inline constexpr std::array<std::string_view, 15> gridOptionNames = {
    "goFixedVertLine", "goFixedHorzLine",     "goVertLine",     "goHorzLine",
    "goRangeSelect",   "goDrawFocusSelected", "goRowSizing",    "goColSizing",
    "goRowMoving",     "goColMoving",         "goEditing",      "goTabs",
    "goRowSelect",     "goAlwaysShowEditor",  "goThumbTracking"};
// Lines between all cells and range selection.
inline constexpr std::uint32_t defaultGridOptions = 0x1F;

// Names of the grid's enumerations in form data, by value.
inline constexpr std::array<std::string_view, 3> alignmentNames = {"alRight", "alLeft", "alCenter"};
inline constexpr std::array<std::string_view, 8> nextCellNames = {
    "nc_rightdown", "nc_downright", "nc_leftdown", "nc_downleft",
    "nc_leftup",    "nc_upleft",    "nc_rightup",  "nc_upright"};
inline constexpr std::array<std::string_view, 3> lastCellNames = {"lc_newcolrow", "lc_stop",
                                                                  "lc_first"};

// Docking of a control, by name.
inline constexpr std::array<std::string_view, 6> alignNames = {"alNone", "alTop",   "alBottom",
                                                               "alLeft", "alRight", "alClient"};

// The published properties the grid knows, each present when the stream had it.
struct GridPublished {
    std::optional<int> Left, Top, Width, Height, TabOrder, Align;
    std::optional<int> ColCount, RowCount, FixedCols, FixedRows, DefaultColWidth, DefaultRowHeight;
    std::optional<std::vector<int>> ColWidths, RowHeights;
    std::optional<std::uint32_t> Options;
    std::optional<TMyAlign> Alignment;
    std::optional<bool> Editable;
    std::optional<TColor> FixedColor;
    std::optional<bool> ShowCellHints;
    std::optional<TColor> SelectedCellColor, SelectedFontColor;
    std::optional<bool> AutoEditNextCell;
    std::optional<T_nextcell> NextCellEdit, NextCellTab;
    std::optional<T_lastcell> AfterLastCellEdit, AfterLastCellTab;
    std::optional<bool> DrawSelection;
};

struct GridFormData {
    std::string name; // the component's name
    GridPublished published;
    std::vector<DefinedValue> defined; // stream order
};

// Limits a stream may not pass: counts of columns or rows, sizes in pixels.
inline constexpr int maxStreamCount = 10'000'000;
inline constexpr int maxStreamSize = 100'000;

// Decodes one grid object; raises format::StreamError on any bad value. Unknown published
// properties are read over (the platform grid has more than this program uses).
GridFormData decodeGridObject(const format::FormObject& object);
// Parses form data and decodes its first grid object; a stream without one fails.
GridFormData decodeGridForm(std::string_view formData);

} // namespace aligngrid
