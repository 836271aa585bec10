#pragma once
// The aligned grid's in-place editor: shows the text with the cell's alignment, remembers the
// cell whose edit is open and the text it had when the edit began, and turns Enter and Escape
// into the grid's end-of-edit notifications.

#include "widgets/aligngrid/model/aligntypes.h"
#include "widgets/stringgrid/inplaceedit.h"

#include <QString>

class TStringAlignGrid;

class TNewInplaceEdit : public stringgrid::InplaceEdit {
    Q_OBJECT

public:
    explicit TNewInplaceEdit(TStringAlignGrid* grid);

    aligngrid::TMyAlign Alignment() const { return alignment_; }
    // A different alignment re-lays the text and selects all of it; the same one does nothing.
    void setAlignment(aligngrid::TMyAlign alignment);

    // The cell whose edit is open; -1, -1 when none (typed keys are then discarded).
    int EditCol = -1;
    int EditRow = -1;
    // The before-edit notification has been given for the edit cell.
    bool Started = false;
    // The cell's text when the edit began; Escape brings it back.
    QString StartingText;

    // The selection as the user left it: the line edit drops its selection when the focus
    // goes elsewhere, so the one it had then is kept.
    void keptSelection(int& start, int& length) const;

protected:
    void KeyPress(QChar& key) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyAlignment();
    void keepSelection();

    int keptStart_ = 0;
    int keptLength_ = 0;

    aligngrid::TMyAlign alignment_ = aligngrid::alLeft;
};
