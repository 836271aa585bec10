#pragma once
// The main window: the door drawing with its input fields and result labels, the three choice
// groups, the group of the two cutting-list dimensions and the button bar.

#include "calc/panelgeometry.h"

#include <QWidget>

class QDialog;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace os {
class HelpOpener;
} // namespace os
namespace print {
class Printer;
} // namespace print
namespace platform {
class Announcer;
class Label;
class PictureBox;
class RadioGroup;
class SpeedButton;
} // namespace platform

class TMainForm : public QWidget {
    Q_OBJECT

public:
    // The designed client area, below the window's frame.
    static constexpr QSize kClientSize{723, 624};

    // The window prints on `printer` and opens the help with `help`, the application's, which
    // outlive it.
    TMainForm(print::Printer& printer, os::HelpOpener& help, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The windows the bar's buttons open; they live as long as this window (start-up sets them).
    void setAboutBox(QDialog* box) { AboutBox_ = box; }
    void setFormDebitDlg(QDialog* dialog) { FormDebitDlg_ = dialog; }
    QDialog* FormDebitDlg() const { return FormDebitDlg_; }

    // The panel dimension set that the calculation keeps between runs.
    const calc::PanelDimensions& Dimensions() const { return Dimensions_; }

    // Controls, owned by the window through Qt's parent chain.
    QFrame* PanelButton;
    QPushButton* BitBtnClose;
    platform::SpeedButton* SpeedButtonAbout;
    platform::SpeedButton* SpeedButtonPrint;
    platform::SpeedButton* SpeedButtonHelp;
    platform::SpeedButton* SpeedButtonDebit;
    platform::SpeedButton* SpeedButtonCalcul;
    QGroupBox* GroupBox1;
    platform::RadioGroup* RadioGroupForme;
    platform::RadioGroup* RadioGroupAssemblage;
    platform::RadioGroup* RadioGroupChoix;
    QLineEdit* EditTenon;
    QLineEdit* EditLargBois;
    QLineEdit* EditEpaisseur;
    QLineEdit* EditLargeur;
    QLineEdit* EditPetitExt;
    QLineEdit* EditGrandExt;
    QLineEdit* EditAngle;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::Label* LabelAngle;
    platform::Label* LabelDiag;
    platform::Label* LabelLargeurInt;
    platform::Label* LabelPHExt;
    platform::Label* LabelGHInt;
    platform::Label* LabelPHInt;
    platform::PictureBox* ImageG;
    platform::PictureBox* ImageD;
    // Speaks the outcome of a calculation to a screen reader; shows nothing.
    platform::Announcer* ResultAnnouncer;

    // Handlers; each runs its body through platform::guarded.
    void SpeedButtonCalculClick();
    void SpeedButtonAboutClick();
    void RadioGroupChoixClick();
    void SpeedButtonPrintClick();
    void SpeedButtonDebitClick();
    void RadioGroupFormeClick();
    void FormCreate();
    void EditFiltreSaisie(QObject* sender, char16_t& key);
    void RadioGroupAssemblageClick();
    void SpeedButtonHelpClick();

    void PlacementGauche();
    void PlacementDroite();

signals:
    // The window has closed: the program's run ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createButtonBar();
    void createChoices();
    void createInformationGroup();
    void createDrawing();
    void connectHandlers();
    void setTabOrder();
    void place(bool longSideLeft);
    QWidget* drawingControl(const char* name) const;
    // The control written, if the window has it.
    QWidget* applyOutput(calc::PanelOutput output, const QString& text);

    calc::PanelDimensions Dimensions_;
    print::Printer& printer_;
    os::HelpOpener& help_;
    QDialog* AboutBox_ = nullptr;
    QDialog* FormDebitDlg_ = nullptr;
    bool shownOnce_ = false;
};
