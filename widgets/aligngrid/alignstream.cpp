#include "widgets/aligngrid/alignstream.h"

#include "format/componentstreamtext.h"
#include "format/formdata.h"
#include "widgets/aligngrid/model/alignstreamdata.h"
#include "widgets/aligngrid/model/alignstreamsettings.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QFile>
#include <algorithm>

namespace aligngrid {

namespace {

constexpr int kDefaultCount = 5;
constexpr int kDefaultFixed = 1;
constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
constexpr TColor kDefaultFixedColor = 0x8000000F;

[[noreturn]] void badValue() {
    throw format::StreamError(format::streammessage::kBadValue);
}

class GridTexts : public CellTextSource {
public:
    explicit GridTexts(const TStringAlignGrid& grid) : grid_(grid) {}
    std::string text(int col, int row) const override {
        return grid_.Cells(col, row).toStdString();
    }
    void
    forEachText(int col, int rowCount,
                const std::function<void(int row, const std::string& text)>& visit) const override {
        grid_.forEachText(col, [rowCount, &visit](int row, QStringView text) {
            if (row < rowCount) {
                const QByteArray utf8 = text.toUtf8();
                visit(row, std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())));
            }
        });
    }

private:
    const TStringAlignGrid& grid_;
};

// Counts that must agree once every published property is in: checked before anything changes.
void checkCounts(const TStringAlignGrid& grid, const GridPublished& p) {
    const int cols = p.ColCount.value_or(grid.ColCount());
    const int rows = p.RowCount.value_or(grid.RowCount());
    if ((p.FixedCols && *p.FixedCols >= cols) || (p.FixedRows && *p.FixedRows >= rows)) {
        badValue();
    }
}

void applyPublished(TStringAlignGrid& grid, const GridPublished& p) {
    if (p.ColCount) {
        grid.setColCount(*p.ColCount);
    }
    if (p.RowCount) {
        grid.setRowCount(*p.RowCount);
    }
    if (p.FixedCols) {
        grid.setFixedCols(*p.FixedCols);
    }
    if (p.FixedRows) {
        grid.setFixedRows(*p.FixedRows);
    }
    if (p.DefaultColWidth) {
        grid.setDefaultColWidth(*p.DefaultColWidth);
    }
    if (p.DefaultRowHeight) {
        grid.setDefaultRowHeight(*p.DefaultRowHeight);
    }
    if (p.ColWidths) {
        const int n = std::min<int>(static_cast<int>(p.ColWidths->size()), grid.ColCount());
        for (int col = 0; col < n; ++col) {
            grid.setColWidths(col, (*p.ColWidths)[static_cast<std::size_t>(col)]);
        }
    }
    if (p.RowHeights) {
        const int n = std::min<int>(static_cast<int>(p.RowHeights->size()), grid.RowCount());
        for (int row = 0; row < n; ++row) {
            grid.setRowHeights(row, (*p.RowHeights)[static_cast<std::size_t>(row)]);
        }
    }
    if (p.Options) {
        grid.setOptions(stringgrid::GridOptions::fromInt(*p.Options));
    }
    if (p.Alignment) {
        grid.setAlignment(*p.Alignment);
    }
    if (p.Editable) {
        grid.setEditable(*p.Editable);
    }
    if (p.FixedColor) {
        grid.setFixedColor(*p.FixedColor);
    }
    if (p.ShowCellHints) {
        grid.ShowCellHints = *p.ShowCellHints;
    }
    if (p.SelectedCellColor) {
        grid.setSelectedCellColor(*p.SelectedCellColor);
    }
    if (p.SelectedFontColor) {
        grid.setSelectedFontColor(*p.SelectedFontColor);
    }
    if (p.AutoEditNextCell) {
        grid.AutoEditNextCell = *p.AutoEditNextCell;
    }
    if (p.NextCellEdit) {
        grid.NextCellEdit = *p.NextCellEdit;
    }
    if (p.NextCellTab) {
        grid.NextCellTab = *p.NextCellTab;
    }
    if (p.AfterLastCellEdit) {
        grid.AfterLastCellEdit = *p.AfterLastCellEdit;
    }
    if (p.AfterLastCellTab) {
        grid.AfterLastCellTab = *p.AfterLastCellTab;
    }
    if (p.DrawSelection) {
        grid.DrawSelection = *p.DrawSelection;
    }
}

// After-load: every cell takes the text read for it, or none; texts outside the grid are
// dropped; then the grid's own step (the editor).
void afterLoad(TStringAlignGrid& grid, StreamTexts& texts) {
    const int cols = grid.ColCount();
    const int rows = grid.RowCount();
    for (int col = 0; col < cols; ++col) {
        grid.ClearColumnTexts(col);
    }
    // The texts come by column then row: each column is gathered and handed over whole. Columns
    // of a grid tend to be alike, so each starts with the room the one before took.
    stringgrid::ColumnTexts column;
    int columnIndex = -1;
    std::u16string units;
    const auto handOver = [&] {
        if (columnIndex >= 0 && columnIndex < cols) {
            grid.setColumnTexts(columnIndex, std::move(column));
        }
        column = {};
    };
    texts.forEach([&](int col, int row, std::string&& text) {
        if (col != columnIndex) {
            const std::size_t previousTexts = column.presentCount();
            const std::size_t previousUnits = column.unitCount();
            handOver();
            column.reserve(previousTexts, previousUnits);
            columnIndex = col;
        }
        if (col < cols && row < rows) {
            units.clear();
            format::appendUtf16(units, text);
            column.store(row, units);
        }
    });
    handOver();
    grid.Loaded();
}

GridPlacement placementOf(const GridPublished& p) {
    return {p.Left, p.Top, p.Width, p.Height, p.Align, p.TabOrder};
}

void writeSizes(format::ComponentWriter& out, std::string_view name, int count, int defaultSize,
                auto sizeOf) {
    const int n = std::min(count, maxStreamCount);
    bool sized = false;
    for (int i = 0; i < n && !sized; ++i) {
        sized = sizeOf(i) != defaultSize;
    }
    if (!sized) {
        return;
    }
    out.writePropName(name);
    out.writeListBegin();
    for (int i = 0; i < n; ++i) {
        out.writeInteger(sizeOf(i));
    }
    out.writeListEnd();
}

void writeColor(format::ComponentWriter& out, std::string_view name, TColor color,
                TColor defaultColor) {
    if (color != defaultColor) {
        out.writePropName(name);
        out.writeInteger(static_cast<std::int32_t>(color));
    }
}

void writeFlag(format::ComponentWriter& out, std::string_view name, bool value, bool defaultValue) {
    if (value != defaultValue) {
        out.writePropName(name);
        out.writeBoolean(value);
    }
}

template <std::size_t N>
void writeEnum(format::ComponentWriter& out, std::string_view name, int value, int defaultValue,
               const std::array<std::string_view, N>& names) {
    if (value != defaultValue) {
        out.writePropName(name);
        out.writeIdent(names.at(static_cast<std::size_t>(value)));
    }
}

void writeCount(format::ComponentWriter& out, std::string_view name, int value, int defaultValue) {
    if (value != defaultValue) {
        out.writePropName(name);
        out.writeInteger(value);
    }
}

} // namespace

GridPlacement loadGridForm(TStringAlignGrid& grid, const QByteArray& formData) {
    GridFormData data =
        decodeGridForm(std::string_view(formData.constData(), std::size_t(formData.size())));
    checkCounts(grid, data.published);

    // Nothing below can fail on a decoded stream: the grid changes only from here on, and
    // begins no edit until its after-load step.
    grid.BeginLoading();
    applyPublished(grid, data.published);
    const GridPlacement placement = placementOf(data.published);
    if (placement.Left || placement.Top || placement.Width || placement.Height) {
        grid.setGeometry(placement.Left.value_or(grid.x()), placement.Top.value_or(grid.y()),
                         placement.Width.value_or(grid.width()),
                         placement.Height.value_or(grid.height()));
    }
    StreamTexts texts;
    applyDefinedProperties(grid.Settings(), std::move(data.defined), texts);
    afterLoad(grid, texts);
    grid.InvalidateGrid();
    return placement;
}

GridPlacement loadGridFormResource(TStringAlignGrid& grid, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw format::StreamError("Données de fiche introuvables : " + path.toStdString());
    }
    return loadGridForm(grid, file.readAll());
}

void writeGridProperties(const TStringAlignGrid& grid, format::ComponentWriter& out,
                         const GridPlacement& placement) {
    const auto always = [&](std::string_view name, int value) {
        out.writePropName(name);
        out.writeInteger(value);
    };
    always("Left", placement.Left.value_or(grid.x()));
    always("Top", placement.Top.value_or(grid.y()));
    always("Width", placement.Width.value_or(grid.width()));
    always("Height", placement.Height.value_or(grid.height()));
    if (placement.Align.value_or(0) != 0) {
        out.writePropName("Align");
        out.writeIdent(alignNames.at(static_cast<std::size_t>(*placement.Align)));
    }
    writeCount(out, "ColCount", grid.ColCount(), kDefaultCount);
    writeCount(out, "DefaultColWidth", grid.DefaultColWidth(), kDefaultColWidth);
    writeCount(out, "DefaultRowHeight", grid.DefaultRowHeight(), kDefaultRowHeight);
    writeCount(out, "FixedCols", grid.FixedCols(), kDefaultFixed);
    writeCount(out, "RowCount", grid.RowCount(), kDefaultCount);
    writeCount(out, "FixedRows", grid.FixedRows(), kDefaultFixed);
    const auto options = static_cast<std::uint32_t>(grid.Options().toInt());
    if (options != defaultGridOptions) {
        std::vector<std::string_view> members;
        for (std::size_t bit = 0; bit < gridOptionNames.size(); ++bit) {
            if (options & (1u << bit)) {
                members.push_back(gridOptionNames[bit]);
            }
        }
        out.writePropName("Options");
        out.writeSet(members);
    }
    if (placement.TabOrder) {
        out.writePropName("TabOrder");
        out.writeInteger(*placement.TabOrder);
    }

    writeEnum(out, "Alignment", grid.Alignment(), alLeft, alignmentNames);
    writeFlag(out, "Editable", grid.Editable(), true);
    writeColor(out, "FixedColor", grid.FixedColor(), kDefaultFixedColor);
    writeFlag(out, "ShowCellHints", grid.ShowCellHints, true);
    writeColor(out, "SelectedCellColor", grid.SelectedCellColor(),
               AlignSettings::defaultSelectedCellColor);
    writeColor(out, "SelectedFontColor", grid.SelectedFontColor(),
               AlignSettings::defaultSelectedFontColor);
    writeFlag(out, "AutoEditNextCell", grid.AutoEditNextCell, false);
    writeEnum(out, "NextCellEdit", grid.NextCellEdit, nc_rightdown, nextCellNames);
    writeEnum(out, "NextCellTab", grid.NextCellTab, nc_rightdown, nextCellNames);
    writeEnum(out, "AfterLastCellEdit", grid.AfterLastCellEdit, lc_newcolrow, lastCellNames);
    writeEnum(out, "AfterLastCellTab", grid.AfterLastCellTab, lc_first, lastCellNames);
    writeFlag(out, "DrawSelection", grid.DrawSelection, true);

    writeSizes(out, "ColWidths", grid.ColCount(), grid.DefaultColWidth(),
               [&](int col) { return grid.ColWidths(col); });
    writeSizes(out, "RowHeights", grid.RowCount(), grid.DefaultRowHeight(),
               [&](int row) { return grid.RowHeights(row); });

    writeDefinedProperties(grid.Settings(), grid.ColCount(), grid.RowCount(), GridTexts(grid), out);
}

namespace {

// At most what the texts take in the stream: 11 bytes for a cell's two indices and its text's
// tag and length, and 3 bytes per UTF-16 unit. Reserved up front, the output grows without being
// copied, and the pages it never writes cost nothing.
std::size_t textBytesBound(const TStringAlignGrid& grid) {
    std::size_t bound = 0;
    for (int col = 0; col < grid.ColCount(); ++col) {
        grid.forEachText(col, [&bound](int, QStringView text) {
            bound += 11 + 3 * static_cast<std::size_t>(text.size());
        });
    }
    return bound;
}

} // namespace

QByteArray writeGridForm(const TStringAlignGrid& grid, const QString& name,
                         const GridPlacement& placement) {
    format::FormWriter form;
    form.stream().reserve(4096 + textBytesBound(grid));
    form.beginObject(gridClassName, name.toStdString());
    writeGridProperties(grid, form.stream(), placement);
    form.endProperties();
    form.endObject();
    return QByteArray::fromStdString(form.take());
}

} // namespace aligngrid
