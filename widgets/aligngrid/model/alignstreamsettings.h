#pragma once
// The grid's 28 defined stream properties against its settings model: writing them from the
// tables and flags, and applying decoded values to the tables. Pure C++ (no Qt).

#include "format/componentstreamwriter.h"
#include "widgets/aligngrid/model/alignsettings.h"
#include "widgets/aligngrid/model/alignstreamdata.h"

#include <functional>
#include <string>
#include <vector>

namespace aligngrid {

// The grid's cell texts as the writer sees them (UTF-8).
class CellTextSource {
public:
    virtual ~CellTextSource() = default;
    virtual std::string text(int col, int row) const = 0;

    // Calls `visit` for each non-empty text of column `col` below `rowCount`, in row order. A
    // source that keeps its texts sparsely overrides this so that writing costs only its texts.
    virtual void
    forEachText(int col, int rowCount,
                const std::function<void(int row, const std::string& text)>& visit) const {
        for (int row = 0; row < rowCount; ++row) {
            const std::string cell = text(col, row);
            if (!cell.empty()) {
                visit(row, cell);
            }
        }
    }
};

// Writes every defined property whose table's flag is set, in their defined order, each with
// the entries below colCount and rowCount. An entry at index 65536 or more is never written:
// stream indices are 16-bit, so it would read back onto another cell.
void writeDefinedProperties(const AlignSettings& settings, int colCount, int rowCount,
                            const CellTextSource& texts, format::ComponentWriter& out);

// The texts read from Cells, held until the after-load step puts them into the grid. They stay
// in the form data's bytes, which must outlive them.
class StreamTexts {
public:
    void add(const StreamCellTexts& list);
    // The texts by column then row, a later item for a cell having replaced an earlier one.
    std::vector<CellItem<std::string>> take();
    // Calls visit for the same texts in the same order, and empties the texts.
    void forEach(const std::function<void(int col, int row, std::string&& text)>& visit);
    bool empty() const noexcept { return lists_.empty(); }

private:
    std::vector<StreamCellTexts> lists_;
};

// Applies decoded defined properties in stream order: stores into the tables (replacing and
// releasing earlier entries), sets the flags as reading does, and collects Cells into texts.
// Brushes coloured by the Color... properties also set their Brush... table's flag, so that the
// colour is written back rather than lost.
void applyDefinedProperties(AlignSettings& settings, std::vector<DefinedValue>&& values,
                            StreamTexts& texts);

} // namespace aligngrid
