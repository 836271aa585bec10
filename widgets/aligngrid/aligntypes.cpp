#include "widgets/aligngrid/aligntypes.h"

namespace aligngrid {

std::string_view storedTableName(StoredTable table) noexcept {
    static constexpr std::array<std::string_view, storedTableCount> names{
        "AlignCell",         "AlignCol",
        "AlignRow",          "FixedAlignCol",
        "FixedAlignRow",     "EditCell",
        "EditCol",           "EditRow",
        "HintCell",          "Cells",
        "FontCell",          "FontCol",
        "FontRow",           "FontFixedCol",
        "FontFixedRow",      "BrushCell",
        "BrushCol",          "BrushRow",
        "BrushFixedCol",     "BrushFixedRow",
        "SelectedColorCell", "SelectedColorCol",
        "SelectedColorRow"};
    const auto index = static_cast<std::size_t>(table);
    return index < names.size() ? names[index] : std::string_view{};
}

T_relation CompareTexts(std::string_view first, std::string_view second) noexcept {
    // string_view compares as unsigned char, so accented letters sort after ASCII ones.
    const int order = first.compare(second);
    if (order == 0)
        return rl_equal;
    return order > 0 ? rl_after : rl_before;
}

} // namespace aligngrid
