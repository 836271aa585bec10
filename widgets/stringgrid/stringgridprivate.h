#pragma once
// The string grid's state, shared by the files that implement the grid (counts and texts,
// geometry and scrolling, painting, editor, keyboard, mouse and focus) and by no one else.

#include "base/indextable.h"
#include "platform/colors.h"
#include "widgets/stringgrid/gridoptions.h"
#include "widgets/stringgrid/inplaceedit.h"
#include "widgets/stringgrid/model/columntexts.h"
#include "widgets/stringgrid/model/gridaxis.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QString>
#include <climits>
#include <memory>

namespace stringgrid {

inline constexpr int line = 1; // grid line after every cell
inline constexpr long long hidden = LLONG_MIN;

struct StringGrid::Private {
    GridAxis cols{5, 1, 64};
    GridAxis rows{5, 1, 24};
    base::IndexTable<ColumnTexts> texts; // per column, then per row; both sparse
    int col = 1;
    int row = 1;
    int anchorCol = 1;
    int anchorRow = 1;
    int leftCol = 1;
    int topRow = 1;
    GridOptions options = defaultGridOptions();
    quint32 fixedColor = platform::clBtnFace;
    quint32 color = platform::clWindow;
    bool defaultDrawing = true;
    bool editorMode = false;
    base::IndexTable<bool> notTabStops; // only the columns whose tab stop is off
    FailureReporter reportFailure;
    InplaceEdit* editor = nullptr; // owned by the viewport, its Qt parent
    int editorCol = -1;            // the cell the editor's text belongs to
    int editorRow = -1;
    QString editorOriginal;
    bool loadingEditor = false;
    bool loading = false; // the grid's form data is being applied
    bool focusWithin = false;
    enum class Drag { None, Select, SizeCol, SizeRow, MoveCol, MoveRow } drag = Drag::None;
    int dragIndex = -1;
    int dragOrigin = 0;
    int dragSize = 0;
};

} // namespace stringgrid
