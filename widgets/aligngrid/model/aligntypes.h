#pragma once
// The value types of the aligned grid's settings. Pure C++: the numbers are what the form data
// stores, so they are fixed.

#include <array>
#include <cstdint>
#include <string_view>

namespace aligngrid {

// Horizontal alignment of a cell's text. Right comes first: 0 is what an unset byte reads as.
enum TMyAlign : std::uint8_t { alRight = 0, alLeft = 1, alCenter = 2 };

// The reading order in which the grid moves to the next cell.
enum T_nextcell : std::uint8_t {
    nc_rightdown = 0,
    nc_downright = 1,
    nc_leftdown = 2,
    nc_downleft = 3,
    nc_leftup = 4,
    nc_upleft = 5,
    nc_rightup = 6,
    nc_upright = 7
};

// What a move does once it passes the last cell of its order.
enum T_lastcell : std::uint8_t { lc_newcolrow = 0, lc_stop = 1, lc_first = 2 };

// The result of comparing two texts: the first sorts after, equal to, or before the second.
enum T_relation : std::uint8_t { rl_after = 0, rl_equal = 1, rl_before = 2 };

// A colour: 0x80000000 + n is system colour n, any other value 0x00BBGGRR.
using TColor = std::uint32_t;

// The tables that have a stream form, each with its stored-data flag, in the order the
// flags are listed for the grid.
enum class StoredTable : std::uint8_t {
    AlignCell,
    AlignCol,
    AlignRow,
    FixedAlignCol,
    FixedAlignRow,
    EditCell,
    EditCol,
    EditRow,
    HintCell,
    Cells,
    FontCell,
    FontCol,
    FontRow,
    FontFixedCol,
    FontFixedRow,
    BrushCell,
    BrushCol,
    BrushRow,
    BrushFixedCol,
    BrushFixedRow,
    SelectedColorCell,
    SelectedColorCol,
    SelectedColorRow,
};

inline constexpr std::size_t storedTableCount = 23;

// The name under which a table is stored in the form data.
std::string_view storedTableName(StoredTable table) noexcept;

// Compares two UTF-8 texts by their bytes in the code page of the form data (case-sensitive), as
// the grid's built-in column and row comparisons do; a character the code page lacks sorts after
// every one it has, by its code point.
T_relation CompareTexts(std::string_view first, std::string_view second) noexcept;

} // namespace aligngrid
