#pragma once
// The application's show-hint event: one process-wide hook on Qt's tooltip event that hands the
// hint about to be shown to one installed handler, which may change its text, forbid it or move
// it.

#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace stringgrid {

struct HintInfo {
    QWidget* HintControl = nullptr; // the control the hint is for (a scroll area, not its viewport)
    QPoint CursorPos;               // the mouse position in HintControl's coordinates
    QPoint HintPos;                 // where the hint's top-left corner goes, screen coordinates
};

// hintText comes in as the control's tool tip; canShow comes in true.
using ShowHintHandler = std::function<void(QString& hintText, bool& canShow, HintInfo& info)>;

// Installs the handler (an empty one lets Qt show tool tips its own way); returns the previous
// one. The hook on the application is made at the first call (none without an application
// object). A failure the handler raises goes to the failure reporter of the grid the hint is
// for (for another control, to Qt's warning output).
ShowHintHandler setShowHintHandler(ShowHintHandler handler);
ShowHintHandler showHintHandler();

// Hides the hint that is showing, if any.
void cancelHint();

} // namespace stringgrid
