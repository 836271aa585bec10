#pragma once
// Compares two settings models as the form data keeps them: what `written` writes for a grid of
// colCount by rowCount cells (the entries inside the grid of each flagged table, of fonts and
// brushes only the changed ones) against everything `read` holds, and each stored-data flag of
// `read` against whether its table had anything written. So a model read back from what another
// wrote shows no difference exactly when the round trip kept every setting. Pure C++ (no Qt).

#include "widgets/aligngrid/model/alignsettings.h"

#include <string>

namespace aligngrid {

// The differences, one line each ("AlignCol: 3 differs", "FontCell flag: true"); empty when
// there is none.
std::string streamedDifference(const AlignSettings& written, const AlignSettings& read,
                               int colCount, int rowCount);

} // namespace aligngrid
