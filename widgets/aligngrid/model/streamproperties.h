#pragma once
// The grid's 28 defined stream properties in one table: each one's name, its place in the
// stream (its place in the table), what its items address, its record kind, the settings table
// it is read into and written from (whose stored-data flag it keeps) and how reading sets that
// flag. The reader, the writer and the flags all go by this table. Pure C++ (no Qt).

#include "widgets/aligngrid/model/aligntypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace aligngrid {

// What one item addresses, and so the count that bounds the entries written.
enum class StreamLines : std::uint8_t { Cell, Col, Row };

// What one item holds. Align and Edit are byte records in a binary block (a cell record is
// column, row and value in 5 bytes, an index record index and value in 3); the others are the
// items of a list.
enum class StreamRecord : std::uint8_t { Align, Edit, Text, Font, Brush, Color };

// How reading sets the table's flag.
enum class StreamFlag : std::uint8_t {
    FollowsRead, // set when the property brought items, cleared when it came empty
    OnlyRises,   // set when it brought items, never cleared
    // Read only: colours the brush table's entries and raises its flag when items came, so that
    // the colour is written back with the brushes rather than lost.
    ColorsBrushes,
};

struct StreamProperty {
    std::string_view name;
    StreamLines lines;
    StreamRecord record;
    StoredTable table;
    StreamFlag flag;

    constexpr bool written() const noexcept { return flag != StreamFlag::ColorsBrushes; }
    constexpr bool byteRecords() const noexcept {
        return record == StreamRecord::Align || record == StreamRecord::Edit;
    }
    // The largest valid byte value: alignments 0..2, editability 0..1.
    constexpr std::uint8_t byteLimit() const noexcept {
        return record == StreamRecord::Edit ? 1 : 2;
    }
};

// In the order the properties are defined and written.
inline constexpr std::array<StreamProperty, 28> streamProperties = [] {
    using L = StreamLines;
    using R = StreamRecord;
    using T = StoredTable;
    using F = StreamFlag;
    return std::array<StreamProperty, 28>{{
        {"AlignCell", L::Cell, R::Align, T::AlignCell, F::OnlyRises},
        {"AlignCol", L::Col, R::Align, T::AlignCol, F::FollowsRead},
        {"FixedAlignCol", L::Col, R::Align, T::FixedAlignCol, F::FollowsRead},
        {"AlignRow", L::Row, R::Align, T::AlignRow, F::FollowsRead},
        {"FixedAlignRow", L::Row, R::Align, T::FixedAlignRow, F::FollowsRead},
        {"EditCell", L::Cell, R::Edit, T::EditCell, F::OnlyRises},
        {"EditCol", L::Col, R::Edit, T::EditCol, F::FollowsRead},
        {"EditRow", L::Row, R::Edit, T::EditRow, F::FollowsRead},
        {"HintCell", L::Cell, R::Text, T::HintCell, F::OnlyRises},
        {"Cells", L::Cell, R::Text, T::Cells, F::OnlyRises},
        {"FontCell", L::Cell, R::Font, T::FontCell, F::FollowsRead},
        {"FontCol", L::Col, R::Font, T::FontCol, F::FollowsRead},
        {"FontFixedCol", L::Col, R::Font, T::FontFixedCol, F::FollowsRead},
        {"FontRow", L::Row, R::Font, T::FontRow, F::FollowsRead},
        {"FontFixedRow", L::Row, R::Font, T::FontFixedRow, F::FollowsRead},
        {"BrushCell", L::Cell, R::Brush, T::BrushCell, F::FollowsRead},
        {"BrushCol", L::Col, R::Brush, T::BrushCol, F::FollowsRead},
        {"BrushFixedCol", L::Col, R::Brush, T::BrushFixedCol, F::FollowsRead},
        {"BrushRow", L::Row, R::Brush, T::BrushRow, F::FollowsRead},
        {"BrushFixedRow", L::Row, R::Brush, T::BrushFixedRow, F::FollowsRead},
        {"ColorCell", L::Cell, R::Color, T::BrushCell, F::ColorsBrushes},
        {"ColorCol", L::Col, R::Color, T::BrushCol, F::ColorsBrushes},
        {"ColorFixedCol", L::Col, R::Color, T::BrushFixedCol, F::ColorsBrushes},
        {"ColorRow", L::Row, R::Color, T::BrushRow, F::ColorsBrushes},
        {"ColorFixedRow", L::Row, R::Color, T::BrushFixedRow, F::ColorsBrushes},
        {"SelectedColorCell", L::Cell, R::Color, T::SelectedColorCell, F::OnlyRises},
        {"SelectedColorCol", L::Col, R::Color, T::SelectedColorCol, F::FollowsRead},
        {"SelectedColorRow", L::Row, R::Color, T::SelectedColorRow, F::FollowsRead},
    }};
}();
inline constexpr std::size_t definedPropertyCount = streamProperties.size();

// The table's rules: every stored table is written by exactly one property; texts are held per
// cell; a colouring property colours a brush table.
constexpr bool streamPropertiesAreSound() {
    for (std::size_t t = 0; t < storedTableCount; ++t) {
        int writers = 0;
        for (const StreamProperty& p : streamProperties) {
            writers += p.written() && static_cast<std::size_t>(p.table) == t ? 1 : 0;
        }
        if (writers != 1) {
            return false;
        }
    }
    for (const StreamProperty& p : streamProperties) {
        if (p.record == StreamRecord::Text && p.lines != StreamLines::Cell) {
            return false;
        }
        if (p.flag == StreamFlag::ColorsBrushes &&
            (p.record != StreamRecord::Color ||
             (p.table != StoredTable::BrushCell && p.table != StoredTable::BrushCol &&
              p.table != StoredTable::BrushRow && p.table != StoredTable::BrushFixedCol &&
              p.table != StoredTable::BrushFixedRow))) {
            return false;
        }
    }
    return true;
}
static_assert(streamPropertiesAreSound());

// The place in streamProperties of the property of that name, if the grid defines one.
std::optional<std::size_t> definedPropertyNamed(std::string_view name) noexcept;

} // namespace aligngrid
