#include "ui/debit/tformdebitdlg.h"

#include "calc/cuttinglist.h"
#include "os/windowplacement.h"
#include "platform/accessibility.h"
#include "platform/decimalmark.h"
#include "platform/fonts.h"
#include "platform/showfailure.h"
#include "platform/speedbutton.h"
#include "resources/resources.h"
#include "ui/debit/printgrid.h"
#include "widgets/aligngrid/alignstream.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QFrame>
#include <QKeyEvent>
#include <exception>
#include <utility>

namespace {

constexpr int kAlignClient = 5; // alClient among the form's Align values

} // namespace

TFormDebitDlg::TFormDebitDlg(QWidget& mainWindow, SourceReader readSource, print::Printer& printer)
    : QDialog(&mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      readSource_(std::move(readSource)), printer_(printer) {
    resources::load();
    setObjectName(QStringLiteral("FormDebitDlg"));
    setWindowTitle(QStringLiteral("Fiche de débit"));
    setAccessibleName(windowTitle());
    // No key of the window's own closes it (neither Escape nor a shortcut): a screen-reader
    // user learns the desktop's close key when the window opens.
    setAccessibleDescription(QStringLiteral("Pour fermer la fiche, appuyez sur Alt+F4."));
    setFont(platform::dialogFont());
    // The face by role, so that it follows a theme change; the grid reads its system colours
    // when it paints.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setSizeGripEnabled(false);
    resize(kClientSize);

    createButtonBar();
    createGrid();
    QWidget::setTabOrder(Panel1, StringAlignGrid);
    layOut();
}

TFormDebitDlg::~TFormDebitDlg() = default;

void TFormDebitDlg::createButtonBar() {
    Panel1 = new platform::ButtonBar(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Barre de boutons"));

    SBtnClose = platform::makeSpeedButton(Panel1, "SBtnClose", 8, QStringLiteral("Fermer"),
                                          QStringLiteral(":/glyphs/debit_close.bmp"), 1);
    SpeedButtonPrint = platform::makeSpeedButton(Panel1, "SpeedButtonPrint", 40,
                                                 QStringLiteral("Impression de la fiche"),
                                                 QStringLiteral(":/glyphs/debit_print.bmp"), 2);
    connect(SBtnClose, &QToolButton::clicked, this, &TFormDebitDlg::SBtnCloseClick);
    connect(SpeedButtonPrint, &QToolButton::clicked, this, &TFormDebitDlg::SpeedButtonPrintClick);
}

void TFormDebitDlg::createGrid() {
    StringAlignGrid = new TStringAlignGrid(this);
    StringAlignGrid->setObjectName(QStringLiteral("StringAlignGrid"));
    StringAlignGrid->setAccessibleName(QStringLiteral("Tableau de la fiche de débit"));
    // What fails inside the grid's own handlers comes back here and is shown as ours are.
    StringAlignGrid->setFailureReporter(
        [](const std::exception& failure) { platform::ShowFailure(failure); });
    // A damaged form leaves the grid as created: the failure is shown and the window still
    // serves, filling what cells it has.
    platform::guarded([this] {
        const aligngrid::GridPlacement placement = aligngrid::loadGridFormResource(
            *StringAlignGrid, QStringLiteral(":/forms/debitgrid.frm"));
        gridFillsClient_ = !placement.Align || *placement.Align == kAlignClient;
    });
}

// The bar spans the top; the grid takes the rest of the client area, wider or narrower with
// the window (its columns keep their widths).
void TFormDebitDlg::layOut() {
    Panel1->setGeometry(0, 0, width(), kPanelHeight);
    if (gridFillsClient_) {
        StringAlignGrid->setGeometry(0, kPanelHeight, width(),
                                     std::max(0, height() - kPanelHeight));
    }
}

void TFormDebitDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void TFormDebitDlg::setVisible(bool visible) {
    if (visible && !isVisible()) {
        // Moving marks the position as chosen, so the dialog does not place itself too.
        if (lastPosition_) {
            os::moveWindow(*this, *lastPosition_);
        } else {
            os::centreOver(*this, *parentWidget()); // the main window, its parent
        }
        FormShow();
    }
    QDialog::setVisible(visible);
}

void TFormDebitDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        lastPosition_ = os::windowPosition(*this);
    }
}

// No key closes or prints the list: Escape is not the dialog's cancel here.
void TFormDebitDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormDebitDlg::FormShow() {
    platform::guarded([this] {
        using aligngrid::alCenter;
        using aligngrid::alLeft;
        StringAlignGrid->SetFixedAlignCol(0, alLeft);
        for (int col = 1; col <= 4; ++col) {
            StringAlignGrid->SetFixedAlignCol(col, alCenter);
        }
        StringAlignGrid->SetAlignCol(4, alLeft);
        calc::fillCuttingList(readSource_(), platform::decimalMark(),
                              [this](int col, int row, const std::string& text) {
                                  StringAlignGrid->setCells(col, row, QString::fromStdString(text));
                              });
    });
}

void TFormDebitDlg::SBtnCloseClick() {
    platform::guarded([this] { reject(); });
}

void TFormDebitDlg::SpeedButtonPrintClick() {
    platform::guarded([this] { printCuttingList(printer_, *StringAlignGrid); });
}
