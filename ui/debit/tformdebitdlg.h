#pragma once
// The cutting-list window: a button bar (close, print) above the aligned grid that lists the
// five pieces of the door. Created once and hidden; every showing refills the list from what
// the main window holds before the window appears.

#include "calc/cuttinglist.h"

#include <QDialog>
#include <QPoint>
#include <functional>
#include <optional>

class QFrame;
class TStringAlignGrid;

namespace platform {
class SpeedButton;
} // namespace platform
namespace print {
class Printer;
} // namespace print

class TFormDebitDlg : public QDialog {
    Q_OBJECT

public:
    // The designed client area: the bar (33) above the grid (163), 721 wide.
    static constexpr QSize kClientSize{721, 196};
    static constexpr int kPanelHeight = 33;

    // What the list is made of, read from the main window at each showing.
    using SourceReader = std::function<calc::CuttingListSource()>;

    // Opens over `mainWindow`, its Qt parent, which owns it; `readSource` gives the list's
    // source each time the window is shown; the list prints on `printer`, the application's,
    // which outlives the window.
    TFormDebitDlg(QWidget& mainWindow, SourceReader readSource, print::Printer& printer);
    ~TFormDebitDlg() override;

    // Controls, owned by the window through Qt's parent chain.
    QFrame* Panel1;
    platform::SpeedButton* SBtnClose;
    platform::SpeedButton* SpeedButtonPrint;
    TStringAlignGrid* StringAlignGrid;

    // Handlers; each runs its body through platform::guarded.
    void FormShow();
    void SBtnCloseClick();
    void SpeedButtonPrintClick();

    // Runs FormShow before a hidden window becomes visible, so the list is complete (or its
    // failure reported) before the window appears.
    void setVisible(bool visible) override;

protected:
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createButtonBar();
    void createGrid();
    void layOut();

    SourceReader readSource_;
    print::Printer& printer_;
    bool gridFillsClient_ = true;
    // Where the window was when last hidden (where the program places its windows); the first
    // showing centres it over the main window.
    std::optional<QPoint> lastPosition_;
};
