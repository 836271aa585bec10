#pragma once
// What the settings model reads of the grid that holds it: its size, fixed part and colours.
// Pure C++, so the model and its tests need no widget.

#include "widgets/aligngrid/model/aligntypes.h"

namespace aligngrid {

class GridShape {
public:
    virtual ~GridShape() = default;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    virtual TColor Color() const = 0;      // the colour of ordinary cells
    virtual TColor FixedColor() const = 0; // the colour of fixed cells
};

} // namespace aligngrid
