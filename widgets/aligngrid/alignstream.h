#pragma once
// The aligned grid in form data: read from and written to a component stream. A grid is read
// whole or not at all: the stream is decoded and checked first, and only a stream without a
// fault changes the grid.

#include "format/componentstreamwriter.h"

#include <QByteArray>
#include <QString>
#include <optional>

class TStringAlignGrid;

namespace aligngrid {

// Where the form places the grid: what a window, not the grid, applies. Align is the index in
// alignNames (alNone, alTop, alBottom, alLeft, alRight, alClient).
struct GridPlacement {
    std::optional<int> Left, Top, Width, Height, Align, TabOrder;
};

// Reads the first TStringAlignGrid object of formData into grid: its published properties, its
// defined ones, then the after-load step (texts into the cells, the editor hidden). Left, Top,
// Width and Height also set the grid's geometry. A bad stream raises format::StreamError and
// leaves the grid as it was.
GridPlacement loadGridForm(TStringAlignGrid& grid, const QByteArray& formData);
// The same from a resource (":/forms/debitgrid.frm"); a missing resource is a StreamError.
GridPlacement loadGridFormResource(TStringAlignGrid& grid, const QString& path);

// Writes the grid's published properties (Left, Top, Width, Height always; the others where they
// differ from their defaults), ColWidths and RowHeights where sized, then its defined properties.
// Placement values given override the widget's own geometry.
void writeGridProperties(const TStringAlignGrid& grid, format::ComponentWriter& out,
                         const GridPlacement& placement = {});
// Whole form data holding the grid as its one object.
QByteArray writeGridForm(const TStringAlignGrid& grid, const QString& name = "StringAlignGrid",
                         const GridPlacement& placement = {});

} // namespace aligngrid
