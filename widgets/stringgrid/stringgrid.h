#pragma once
// The platform's string grid: a table of text cells with fixed header rows and columns, column
// widths, row heights, a current cell, a selection, options and an in-place editor. Texts, widths
// and heights are stored sparsely, so a grid of a million rows costs no more than its visible
// cells. The aligned grid derives from it and overrides the protected hooks.

#include "widgets/stringgrid/gridoptions.h"
#include "widgets/stringgrid/model/columntexts.h"

#include <QAbstractScrollArea>
#include <QRect>
#include <QString>
#include <QStringView>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class QPainter;

namespace stringgrid {

class InplaceEdit;
class GridAxis;

class StringGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    int ColCount() const;
    void setColCount(int count); // at least 1; FixedCols shrinks when it no longer fits
    int RowCount() const;
    void setRowCount(int count);
    int FixedCols() const;
    void setFixedCols(int count); // must stay below ColCount
    int FixedRows() const;
    void setFixedRows(int count);

    // Setting a default gives every column (row) that size, its own size forgotten.
    int DefaultColWidth() const; // 64
    void setDefaultColWidth(int width);
    int DefaultRowHeight() const; // 24
    void setDefaultRowHeight(int height);
    // Sizes below 0 count as 0. The setters, setCells and setTabStops raise "Indice de grille
    // hors limites" for an index outside the grid; the getters answer the default there.
    int ColWidths(int col) const; // the default for a column never sized
    void setColWidths(int col, int width);
    int RowHeights(int row) const;
    void setRowHeights(int row, int height);
    int GridLineWidth() const { return 1; } // lines sit between cells, after each cell

    QString Cells(int col, int row) const; // empty outside the grid
    // Visits the non-empty texts of one column in row order; costs only the texts stored. The
    // view is of the grid's own storage, valid during the call.
    void forEachText(int col, const std::function<void(int row, QStringView text)>& visit) const;
    void setCells(int col, int row, const QString& text);
    // Replaces column col's texts with one repaint: what a load does for each column instead of
    // a setCells per cell. A column or a row outside the grid raises like setCells, before
    // anything changes.
    void setColumnTexts(int col, ColumnTexts&& texts);

    int Col() const;
    void setCol(int col); // "Indice de grille hors limites" outside the ordinary cells
    int Row() const;
    void setRow(int row);
    void setCurrentCell(int col, int row); // both at once, one editor update

    // The first ordinary column and row in view (scrolled in whole cells).
    int LeftCol() const;
    void setLeftCol(int col);
    int TopRow() const;
    void setTopRow(int row);
    int VisibleColCount() const; // ordinary columns wholly in view
    int VisibleRowCount() const;

    GridRect Selection() const;
    // The current cell moves to (Left, Top) and the range's far corner to (Right, Bottom).
    void setSelection(const GridRect& rect);

    GridOptions Options() const;
    void setOptions(GridOptions options);
    quint32 FixedColor() const; // 0x8000000F
    void setFixedColor(quint32 color);
    quint32 Color() const; // 0x80000005
    void setColor(quint32 color);
    bool DefaultDrawing() const;
    void setDefaultDrawing(bool on);
    bool TabStops(int col) const; // true by default
    void setTabStops(int col, bool stop);
    bool EditorMode() const;
    void setEditorMode(bool on);

    // The cell's rectangle in viewport coordinates, whole even when partly scrolled out; empty
    // when the cell is outside the grid or not in view.
    QRect CellRect(int col, int row) const;
    // The cell under a viewport position; -1, -1 when none.
    void MouseToCell(QPoint viewportPos, int& col, int& row) const;

    InplaceEdit* InplaceEditor() const; // null until first shown
    // The editor is open (shown on its cell), also while the window is hidden.
    bool EditorShown() const;
    void ShowEditor();
    void ShowEditorChar(QChar ch); // the editor's text becomes `ch` (Backspace: empty)
    void HideEditor();

    // User-level moves: call the ColumnMoved/RowMoved hook, whose base moves texts and sizes.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);
    // Texts only: the entry at `from` is taken out and inserted at `to`.
    void MoveColumnTexts(int from, int to);
    void MoveRowTexts(int from, int to);
    void ClearColumnTexts(int col);
    void ClearRowTexts(int row);

    // While the grid's form data is applied, the editor is neither shown nor prepared, so no edit
    // begins; Loaded ends that (the after-load step, which a derived grid extends).
    void BeginLoading();
    virtual void Loaded();

    void InvalidateGrid(); // repaint request
    void InvalidateCell(int col, int row);

    QSize sizeHint() const override;

    // A failure raised inside one of the grid's event handlers cannot pass through Qt's frames:
    // the grid hands it to the reporter its window installed (which shows it) and goes on.
    // Without a reporter it goes to Qt's warning output.
    using FailureReporter = std::function<void(const std::exception& failure)>;
    void setFailureReporter(FailureReporter reporter);
    void reportFailure(const std::exception& failure) const noexcept;

signals:
    void DrawCellEvent(QPainter& painter, int col, int row, const QRect& rect, DrawStates state);
    void KeyPressEvent(QChar& key);            // the grid's own key-press event
    void CurrentCellChanged(int col, int row); // after the current cell has moved

protected:
    // Hooks the aligned grid overrides.
    // A new editor on the grid's viewport, its Qt parent and owner.
    virtual InplaceEdit* CreateEditor();
    // Asked before the editor is shown or moved to the current cell. Base: goEditing without
    // goRowSelect, and the current cell is an ordinary one.
    virtual bool CanEditShow() const;
    // Base: with DefaultDrawing, fills the cell and writes its text at left + 2, top + 2; then
    // DrawCellEvent.
    virtual void DrawCell(QPainter& painter, int col, int row, const QRect& rect, DrawStates state);
    virtual void ColumnMoved(int from, int to);
    virtual void RowMoved(int from, int to);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // A character typed on the grid itself. Base: the KeyPressEvent signal, then with goEditing
    // and a printable character or Backspace, the editor shows with it.
    virtual void TypedCharacter(QChar ch);
    // Tab (shift: Shift+Tab) with goTabs; true when consumed. Base: the next/previous cell whose
    // column is a tab stop, row by row.
    virtual bool TabKey(bool shift);
    virtual void FocusLost();
    virtual void FocusGained();
    virtual void GridMouseMove(QPoint viewportPos);
    virtual void PostedNotification(int id, int col, int row);

    // The base handling of a key on the grid (also reached from the editor for moving keys).
    virtual void KeyDown(QKeyEvent* event);

    // Runs an event handler's body; a failure it raises goes to reportFailure.
    template <typename Body> void guarded(Body&& body) noexcept {
        try {
            std::forward<Body>(body)();
        } catch (const std::exception& failure) {
            reportFailure(failure);
        }
    }

    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class InplaceEdit;
    struct Private;

    long long colX(int col) const; // viewport x of a column's left edge; LLONG_MIN when hidden
    long long rowY(int row) const;
    int fixedWidth() const;
    int fixedHeight() const;
    int maxLeftCol() const;
    int maxTopRow() const;
    void clampPositions();
    void showNeededScrollBars();
    void updateScrollBars();
    void scrollIntoView(int col, int row);
    void moveCurrent(int col, int row, bool extend);
    void updateEditor();
    void placeEditor();
    void hideEditorWidget();
    void editorTextChanged(const QString& text);
    void editorEnter();
    void editorEscape();
    void showTextInEditor(int col, int row);
    void updateFocusWithin();
    void drawGrid(QPainter& painter, const QRect& area);
    void notifyCurrentCell();
    void notifyStructure();
    void sizingCursor(QPoint viewportPos);
    void dragSelectTo(QPoint viewportPos);
    bool sizingBorder(QPoint viewportPos, bool& column, int& index) const;

    std::unique_ptr<Private> d;
};

} // namespace stringgrid
