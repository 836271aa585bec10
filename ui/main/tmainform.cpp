#include "ui/main/tmainform.h"

#include "os/windowplacement.h"
#include "platform/colors.h"
#include "platform/decimalmark.h"
#include "platform/fonts.h"
#include "platform/glyphs.h"
#include "platform/helpviewer.h"
#include "platform/keyfilter.h"
#include "platform/label.h"
#include "platform/messagebox.h"
#include "platform/ownedchild.h"
#include "platform/picturebox.h"
#include "platform/radiogroup.h"
#include "platform/showfailure.h"
#include "platform/speedbutton.h"
#include "resources/resources.h"
#include "ui/main/drawingplaces.h"
#include "ui/main/fieldcolour.h"
#include "ui/main/windowprint.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    const QString& accessibleName) {
    auto* edit = platform::makeChild<QLineEdit>(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setAccessibleName(accessibleName);
    return edit;
}

platform::Label* makeResultLabel(QWidget* parent, const char* name, const QString& caption,
                                 const QString& description) {
    auto* label = platform::makeChild<platform::Label>(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(platform::arialBold(13));
    label->setAccessibleDescription(description);
    return label;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
    resources::load();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Calculs pour un panneau trapézoïdal"));
    setAccessibleName(windowTitle());
    setFont(platform::dialogFont());
    const platform::ApplicationFontScope fieldsLayOutInTheFaceFont(font());
    // The face is the theme's button colour, read by role so that it follows a theme change.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(kClientSize);

    // The pictures first, so that every other control lies above them.
    createDrawing();
    createButtonBar();
    createChoices();
    createInformationGroup();
    connectHandlers();
    setTabOrder();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::createButtonBar() {
    PanelButton = platform::makeChild<QFrame>(this);
    PanelButton->setObjectName(QStringLiteral("PanelButton"));
    PanelButton->setAccessibleName(QStringLiteral("Barre de boutons"));
    PanelButton->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelButton->setGeometry(0, 0, width(), 31);

    BitBtnClose = platform::makeChild<QPushButton>(QStringLiteral("&Fermer"), PanelButton);
    BitBtnClose->setObjectName(QStringLiteral("BitBtnClose"));
    BitBtnClose->setAccessibleName(QStringLiteral("Fermer"));
    BitBtnClose->setGeometry(8, 4, 75, 25);
    BitBtnClose->setIcon(platform::loadGlyph(QStringLiteral(":/glyphs/close.bmp"), 2));
    // Enter presses the button when it has the focus, as Space does.
    BitBtnClose->setAutoDefault(true);

    SpeedButtonCalcul =
        platform::makeSpeedButton(PanelButton, "SpeedButtonCalcul", 88, QStringLiteral("Calculer"),
                                  QStringLiteral(":/glyphs/calcul.bmp"), 2);
    SpeedButtonPrint = platform::makeSpeedButton(PanelButton, "SpeedButtonPrint", 115,
                                                 QStringLiteral("Impression de la forme"),
                                                 QStringLiteral(":/glyphs/print.bmp"), 2);
    SpeedButtonDebit = platform::makeSpeedButton(PanelButton, "SpeedButtonDebit", 144,
                                                 QStringLiteral("Fiche de débit"),
                                                 QStringLiteral(":/glyphs/debit.bmp"), 2);
    SpeedButtonAbout =
        platform::makeSpeedButton(PanelButton, "SpeedButtonAbout", 192, QStringLiteral("A Propos"),
                                  QStringLiteral(":/glyphs/about.bmp"), 2);
    SpeedButtonHelp =
        platform::makeSpeedButton(PanelButton, "SpeedButtonHelp", 224, QStringLiteral("Aide"),
                                  QStringLiteral(":/glyphs/help.bmp"), 2);

    // The bar's buttons take no focus; their keys reach them from any field. None of these keys
    // is one a line edit claims for itself (Ctrl+D deletes a character on X11).
    SpeedButtonCalcul->setKey(QKeySequence(Qt::Key_F9));
    SpeedButtonPrint->setKey(QKeySequence(Qt::CTRL | Qt::Key_P));
    SpeedButtonDebit->setKey(QKeySequence(Qt::CTRL | Qt::Key_L));
    SpeedButtonAbout->setKey(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    SpeedButtonHelp->setKey(QKeySequence(Qt::Key_F1));
}

void TMainForm::createChoices() {
    RadioGroupForme = platform::makeChild<platform::RadioGroup>(
        QStringLiteral("Choix de la forme"),
        QStringList{QStringLiteral("Grand côté à gauche"), QStringLiteral("Grand côté à droite")},
        this);
    RadioGroupForme->setObjectName(QStringLiteral("RadioGroupForme"));
    RadioGroupForme->setGeometry(488, 40, 225, 105);

    RadioGroupChoix = platform::makeChild<platform::RadioGroup>(
        QStringLiteral("Votre choix"),
        QStringList{QStringLiteral("Saisie des hauteurs droites et gauches"),
                    QStringLiteral("Saisie de l'angle et de GRANDE hauteur"),
                    QStringLiteral("Saisie de l'angle et de la petite hauteur")},
        this);
    RadioGroupChoix->setObjectName(QStringLiteral("RadioGroupChoix"));
    RadioGroupChoix->setGeometry(488, 144, 225, 185);

    RadioGroupAssemblage = platform::makeChild<platform::RadioGroup>(
        QStringLiteral("Assemblage par : "),
        QStringList{QStringLiteral("Profil / Contre Profil"), QStringLiteral("Tenons Mortaises")},
        this);
    RadioGroupAssemblage->setObjectName(QStringLiteral("RadioGroupAssemblage"));
    RadioGroupAssemblage->setGeometry(488, 336, 225, 105);

    for (platform::RadioGroup* group : {RadioGroupForme, RadioGroupChoix, RadioGroupAssemblage}) {
        for (int i = 0; i < group->count(); ++i) {
            group->button(i)->setObjectName(group->objectName() + QLatin1Char('_') +
                                            QString::number(i));
        }
        group->setItemIndex(0);
    }
}

void TMainForm::createInformationGroup() {
    GroupBox1 =
        platform::makeChild<QGroupBox>(QStringLiteral("Informations complémentaires"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(GroupBox1->title());
    GroupBox1->setGeometry(488, 448, 225, 105);

    Label2 = platform::makeChild<platform::Label>(QStringLiteral("Ravancement (mm)"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(6, 28);
    Label3 =
        platform::makeChild<platform::Label>(QStringLiteral("Epaisseur des bois (mm)"), GroupBox1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->move(8, 72);

    EditTenon = makeEdit(GroupBox1, "EditTenon", QStringLiteral("15"), {152, 24, 57, 21},
                         Label2->Caption());
    ui::setFieldColour(EditTenon, platform::clWindow);
    EditEpaisseur = makeEdit(GroupBox1, "EditEpaisseur", QStringLiteral("24"), {152, 64, 57, 21},
                             Label3->Caption());
    ui::setFieldColour(EditEpaisseur, platform::clWindow);
    Label2->setBuddy(EditTenon);
    Label3->setBuddy(EditEpaisseur);
}

void TMainForm::createDrawing() {
    ImageG = platform::makeChild<platform::PictureBox>(this);
    ImageG->setObjectName(QStringLiteral("ImageG"));
    ImageG->setAccessibleName(QStringLiteral("Dessin du panneau, grand côté à gauche"));
    ImageG->setGeometry(0, 31, 473, 570);
    ImageD = platform::makeChild<platform::PictureBox>(this);
    ImageD->setObjectName(QStringLiteral("ImageD"));
    ImageD->setAccessibleName(QStringLiteral("Dessin du panneau, grand côté à droite"));
    ImageD->setGeometry(0, 31, 473, 572);
    ImageD->hide();
    platform::guarded([this] {
        ImageG->setPicture(QStringLiteral(":/pictures/imageg.jpg"));
        // The drawing shown first decodes while the rest of the window is built.
        ImageG->decodeAhead();
        ImageD->setPicture(QStringLiteral(":/pictures/imaged.jpg"));
        if (!ImageD->pictureSize().isEmpty()) {
            ImageD->resize(ImageD->pictureSize());
        }
    });

    EditAngle = makeEdit(this, "EditAngle", QStringLiteral("50"), {0, 0, 30, 21},
                         QStringLiteral("Angle (degrés)"));
    EditAngle->setEnabled(false);
    ui::setFieldColour(EditAngle, platform::clBtnFace);
    EditGrandExt = makeEdit(this, "EditGrandExt", QStringLiteral("795"), {0, 0, 41, 21},
                            QStringLiteral("Grande hauteur extérieure (mm)"));
    ui::setFieldColour(EditGrandExt, ui::clYellow);
    EditPetitExt = makeEdit(this, "EditPetitExt", QStringLiteral("351"), {0, 0, 49, 21},
                            QStringLiteral("Petite hauteur extérieure (mm)"));
    ui::setFieldColour(EditPetitExt, ui::clYellow);
    EditLargBois = makeEdit(this, "EditLargBois", QStringLiteral("70"), {0, 0, 41, 21},
                            QStringLiteral("Largeur des bois (mm)"));
    ui::setFieldColour(EditLargBois, ui::clAqua);
    EditLargeur = makeEdit(this, "EditLargeur", QStringLiteral("525"), {0, 0, 41, 21},
                           QStringLiteral("Largeur hors tout (mm)"));
    ui::setFieldColour(EditLargeur, ui::clAqua);

    LabelAngle = platform::makeChild<platform::Label>(QStringLiteral("°"), this);
    LabelAngle->setObjectName(QStringLiteral("LabelAngle"));
    LabelAngle->setFont(platform::arialBold(16));
    LabelAngle->setAccessibleDescription(QStringLiteral("Unité de l'angle : degrés"));
    LabelDiag =
        makeResultLabel(this, "LabelDiag", QStringLiteral("504"),
                        QStringLiteral("Longueur de la traverse oblique entre les montants (mm)"));
    LabelLargeurInt = makeResultLabel(this, "LabelLargeurInt", QStringLiteral("385"),
                                      QStringLiteral("Largeur intérieure (mm)"));
    LabelPHExt =
        makeResultLabel(this, "LabelPHExt", QStringLiteral("410"),
                        QStringLiteral("Hauteur du petit montant sur son arête intérieure (mm)"));
    LabelGHInt = makeResultLabel(this, "LabelGHInt", QStringLiteral("574"),
                                 QStringLiteral("Hauteur intérieure côté grand (mm)"));
    LabelPHInt = makeResultLabel(this, "LabelPHInt", QStringLiteral("249"),
                                 QStringLiteral("Hauteur intérieure côté petit (mm)"));
}

void TMainForm::connectHandlers() {
    connect(BitBtnClose, &QPushButton::clicked, this, [this] { close(); });
    connect(SpeedButtonCalcul, &QToolButton::clicked, this, &TMainForm::SpeedButtonCalculClick);
    connect(SpeedButtonPrint, &QToolButton::clicked, this, &TMainForm::SpeedButtonPrintClick);
    connect(SpeedButtonDebit, &QToolButton::clicked, this, &TMainForm::SpeedButtonDebitClick);
    connect(SpeedButtonAbout, &QToolButton::clicked, this, &TMainForm::SpeedButtonAboutClick);
    connect(SpeedButtonHelp, &QToolButton::clicked, this, &TMainForm::SpeedButtonHelpClick);
    connect(RadioGroupForme, &platform::RadioGroup::clicked, this,
            &TMainForm::RadioGroupFormeClick);
    connect(RadioGroupChoix, &platform::RadioGroup::clicked, this,
            &TMainForm::RadioGroupChoixClick);
    connect(RadioGroupAssemblage, &platform::RadioGroup::clicked, this,
            &TMainForm::RadioGroupAssemblageClick);
    for (QLineEdit* edit : {EditTenon, EditLargBois, EditEpaisseur, EditLargeur, EditPetitExt,
                            EditGrandExt, EditAngle}) {
        platform::KeyPressHook::install(
            edit, [this](QObject* sender, char16_t& key) { EditFiltreSaisie(sender, key); });
    }
}

void TMainForm::setTabOrder() {
    QList<QWidget*> chain{BitBtnClose};
    const auto addGroup = [&chain](platform::RadioGroup* group) {
        for (int i = 0; i < group->count(); ++i) {
            chain.append(group->button(i));
        }
    };
    addGroup(RadioGroupChoix);
    chain.append(EditLargBois);
    addGroup(RadioGroupAssemblage);
    chain << EditTenon << EditEpaisseur << EditLargeur << EditPetitExt << EditGrandExt << EditAngle;
    addGroup(RadioGroupForme);
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

QWidget* TMainForm::drawingControl(const char* name) const {
    return findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void TMainForm::place(bool longSideLeft) {
    for (const ui::DrawingPlace& place : ui::kDrawingPlaces) {
        if (QWidget* control = drawingControl(place.control)) {
            control->move(longSideLeft ? place.left : place.right);
        }
    }
}

void TMainForm::PlacementGauche() {
    place(true);
}

void TMainForm::PlacementDroite() {
    place(false);
}

void TMainForm::FormCreate() {
    platform::guarded([this] { PlacementGauche(); });
}

void TMainForm::RadioGroupFormeClick() {
    platform::guarded([this] {
        const int index = RadioGroupForme->ItemIndex();
        ImageG->setVisible(index == 0);
        ImageD->setVisible(index == 1);
        if (index == 0) {
            PlacementGauche();
        } else if (index == 1) {
            PlacementDroite();
        }
        for (QWidget* label :
             {LabelAngle, LabelDiag, LabelLargeurInt, LabelPHExt, LabelGHInt, LabelPHInt}) {
            label->raise();
        }
    });
}

void TMainForm::RadioGroupChoixClick() {
    platform::guarded([this] {
        // Per mode: is EditAngle, EditGrandExt, EditPetitExt entered (yellow) or computed?
        static constexpr bool entered[3][3] = {
            {false, true, true}, {true, true, false}, {true, false, true}};
        const int index = RadioGroupChoix->ItemIndex();
        if (index < 0 || index > 2) {
            return;
        }
        QLineEdit* const fields[3] = {EditAngle, EditGrandExt, EditPetitExt};
        for (int i = 0; i < 3; ++i) {
            fields[i]->setEnabled(entered[index][i]);
            ui::setFieldColour(fields[i], entered[index][i] ? ui::clYellow : platform::clBtnFace);
        }
    });
}

void TMainForm::RadioGroupAssemblageClick() {
    platform::guarded([this] {
        switch (RadioGroupAssemblage->ItemIndex()) {
        case 0:
            Label2->setCaption(QStringLiteral("Ravancement (mm)"));
            break;
        case 1:
            Label2->setCaption(QStringLiteral("Longueur du tenon (mm)"));
            break;
        default:
            return;
        }
        EditTenon->setAccessibleName(Label2->Caption());
    });
}

void TMainForm::EditFiltreSaisie(QObject* /*sender*/, char16_t& key) {
    platform::guarded([&key] {
        const bool accepted = key == 8 || key == 28 || key == 29 || (key >= u'0' && key <= u'9') ||
                              key == static_cast<char16_t>(platform::decimalMark());
        if (!accepted) {
            key = platform::kDroppedKey;
        }
    });
}

void TMainForm::applyOutput(calc::PanelOutput output, const QString& text) {
    QWidget* control = drawingControl(calc::panelOutputName(output));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<platform::Label*>(control)) {
        label->setCaption(text);
    }
}

void TMainForm::SpeedButtonCalculClick() {
    platform::guarded([this] {
        const calc::PanelFields fields{
            EditGrandExt->text().toStdString(), EditPetitExt->text().toStdString(),
            EditLargeur->text().toStdString(), EditLargBois->text().toStdString(),
            EditAngle->text().toStdString()};
        const calc::PanelOutcome outcome = calc::computePanel(
            fields, platform::decimalMark(), RadioGroupChoix->ItemIndex(), Dimensions_,
            [this](calc::PanelOutput output, const std::string& text) {
                applyOutput(output, QString::fromStdString(text));
            });
        if (outcome == calc::PanelOutcome::InputRejected) {
            platform::showNotice(QString::fromUtf8(calc::kInputRejectedNotice), this);
        }
    });
}

// Prints the window's client area as a picture after a confirmation.
void TMainForm::SpeedButtonPrintClick() {
    platform::guarded([this] {
        if (platform::confirmInformation(QStringLiteral("Impression de la fenêtre"), this)) {
            PrintWindowImage(*this);
        }
    });
}

// Shows the cutting list modally; its result is not used.
void TMainForm::SpeedButtonDebitClick() {
    platform::guarded([this] {
        if (FormDebitDlg_ != nullptr) {
            os::makeTransientFor(*FormDebitDlg_, *this);
            FormDebitDlg_->exec();
        }
    });
}

void TMainForm::SpeedButtonAboutClick() {
    platform::guarded([this] {
        if (AboutBox_ != nullptr) {
            os::makeTransientFor(*AboutBox_, *this);
            AboutBox_->exec();
        }
    });
}

void TMainForm::SpeedButtonHelpClick() {
    platform::guarded([] { platform::showHelpContents(); });
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    // Centred on the screen the first time (where the program places its windows); the focus
    // starts on the first control in tab order.
    os::centreOnScreen(*this);
    BitBtnClose->setFocus(Qt::OtherFocusReason);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PanelButton->resize(width(), PanelButton->height());
}

// A new desktop palette (a theme switched while the program runs): the face and the labels
// follow by their roles; the fields' colours are worked out again for it.
void TMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        // By search, not by member: the event may come while the window is being built.
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            ui::refreshFieldColour(edit);
        }
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}
