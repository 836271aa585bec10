#pragma once
// The string grid's in-place editor: a line edit laid over the current cell, a child of the
// grid's viewport. Its text goes to the cell as it changes; keys that move between cells go to
// the grid.

#include <QLineEdit>

namespace stringgrid {

class StringGrid;

class InplaceEdit : public QLineEdit {
    Q_OBJECT

public:
    // The editor lives on the grid's viewport, its Qt parent, which owns it.
    explicit InplaceEdit(StringGrid* grid);
    StringGrid* Grid() const { return grid_; }

protected:
    // A character key typed in the editor, before the editor's own handling: Enter arrives as
    // 13, Escape as 27, Backspace as 8. Setting `key` to a null QChar discards it; changing it
    // makes the editor handle the new character instead.
    virtual void KeyPress(QChar& key);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void handleCharacter(QKeyEvent* event, QChar key);
    bool isGridKey(const QKeyEvent* event) const;

    StringGrid* grid_;
};

} // namespace stringgrid
