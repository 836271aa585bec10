// The main window as it stands: where its controls are and what they are named, the drawing
// that follows the shape, and the fields each mode and joint choice enables or renames.

#include "platform/fonts.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "ui/main/fieldcolour.h"
#include "ui_main/mainformfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>

namespace {

const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

class TestMainForm : public QObject, private MainFormFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void everyControlIsNamedForAssistiveTools();
    void fieldsTakeTheFaceFontAndTheDesktopFontStays();
    void choiceTextsAreNotCut();
    void shapeSwapsDrawingAndLayoutAndBack();
    void labelsStayAboveTheVisibleDrawing();
    void modeSetsEnabledStateAndColour_data();
    void modeSetsEnabledStateAndColour();
    void arrowKeysChangeTheMode();
    void returningToModeZeroKeepsTheAngleText();
    void jointRenamesTenonCaptionOnly();
};

void TestMainForm::controlsStandWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("the button bar spans the top") << "PanelButton" << QRect(0, 0, 723, 31);
    QTest::newRow("close button") << "BitBtnClose" << QRect(8, 4, 75, 25);
    QTest::newRow("calculate") << "SpeedButtonCalcul" << QRect(88, 4, 25, 25);
    QTest::newRow("print") << "SpeedButtonPrint" << QRect(115, 4, 25, 25);
    QTest::newRow("cutting list") << "SpeedButtonDebit" << QRect(144, 4, 25, 25);
    QTest::newRow("about") << "SpeedButtonAbout" << QRect(192, 4, 25, 25);
    QTest::newRow("help") << "SpeedButtonHelp" << QRect(224, 4, 25, 25);
    QTest::newRow("shape group") << "RadioGroupForme" << QRect(488, 40, 225, 105);
    QTest::newRow("mode group") << "RadioGroupChoix" << QRect(488, 144, 225, 185);
    QTest::newRow("joint group") << "RadioGroupAssemblage" << QRect(488, 336, 225, 105);
    QTest::newRow("information group") << "GroupBox1" << QRect(488, 448, 225, 105);
    QTest::newRow("tenon field") << "EditTenon" << QRect(152, 24, 57, 21);
    QTest::newRow("thickness field") << "EditEpaisseur" << QRect(152, 64, 57, 21);
    QTest::newRow("angle field") << "EditAngle" << QRect(15, 40, 30, 21);
    QTest::newRow("long height field") << "EditGrandExt" << QRect(0, 310, 41, 21);
    QTest::newRow("short height field") << "EditPetitExt" << QRect(312, 400, 49, 21);
    QTest::newRow("stile width field") << "EditLargBois" << QRect(320, 496, 41, 21);
    QTest::newRow("width field") << "EditLargeur" << QRect(145, 576, 41, 21);
    QTest::newRow("left drawing shows 570 rows") << "ImageG" << QRect(0, 31, 473, 570);
    QTest::newRow("right drawing is sized to its picture") << "ImageD" << QRect(0, 31, 473, 572);
}

void TestMainForm::controlsStandWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto* control = form_->findChild<QWidget*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(form_->size(), QSize(723, 624));
    QCOMPARE(form_->ImageG->pictureSize(), QSize(473, 572));
    QCOMPARE(form_->ImageD->pictureSize(), QSize(473, 572));
    QVERIFY(!form_->BitBtnClose->icon().isNull());
    QVERIFY(!form_->SpeedButtonCalcul->icon().isNull());
    QCOMPARE(form_->windowTitle(), QStringLiteral("Calculs pour un panneau trapézoïdal"));
}

// The fields take the window's face font; the application font stays the desktop's.
void TestMainForm::fieldsTakeTheFaceFontAndTheDesktopFontStays() {
    const QFont desktop = QGuiApplication::font();
    QVERIFY(desktop.family() != platform::dialogFont().family());
    const TMainForm another(services_.printer, services_.help);
    QCOMPARE(QGuiApplication::font(), desktop);
    QCOMPARE(another.EditLargeur->font(), another.font());
    QCOMPARE(another.EditLargeur->font().family(), platform::dialogFont().family());
}

void TestMainForm::everyControlIsNamedForAssistiveTools() {
    const QStringList named{"PanelButton",
                            "BitBtnClose",
                            "SpeedButtonAbout",
                            "SpeedButtonPrint",
                            "SpeedButtonHelp",
                            "SpeedButtonDebit",
                            "SpeedButtonCalcul",
                            "GroupBox1",
                            "RadioGroupForme",
                            "RadioGroupAssemblage",
                            "RadioGroupChoix",
                            "EditTenon",
                            "EditLargBois",
                            "EditEpaisseur",
                            "EditLargeur",
                            "EditPetitExt",
                            "EditGrandExt",
                            "EditAngle",
                            "Label2",
                            "Label3",
                            "LabelAngle",
                            "LabelDiag",
                            "LabelLargeurInt",
                            "LabelPHExt",
                            "LabelGHInt",
                            "LabelPHInt",
                            "ImageG",
                            "ImageD"};
    for (const QString& name : named) {
        auto* control = form_->findChild<QWidget*>(name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
    }
    for (auto* button : form_->findChildren<QRadioButton*>()) {
        QVERIFY(!button->accessibleName().isEmpty());
    }
    // A reader hears a result's meaning and number together (in flat review as well).
    const QList<std::pair<platform::Label*, QString>> results{
        {form_->LabelDiag,
         QStringLiteral("Longueur de la traverse oblique entre les montants : 504 mm")},
        {form_->LabelLargeurInt, QStringLiteral("Largeur intérieure : 385 mm")},
        {form_->LabelPHExt,
         QStringLiteral("Hauteur du petit montant sur son arête intérieure : 410 mm")},
        {form_->LabelGHInt, QStringLiteral("Hauteur intérieure côté grand : 574 mm")},
        {form_->LabelPHInt, QStringLiteral("Hauteur intérieure côté petit : 249 mm")}};
    for (const auto& [label, heard] : results) {
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), heard);
    }
    // Taken for a window, the bar would silence the focus on Fermer.
    QCOMPARE(QAccessible::queryAccessibleInterface(form_->PanelButton)->role(),
             QAccessible::ToolBar);
    QCOMPARE(form_->SpeedButtonHelp->toolTip(), QStringLiteral("Aide"));
    QCOMPARE(form_->SpeedButtonAbout->toolTip(), QStringLiteral("A Propos"));
    QCOMPARE(form_->SpeedButtonDebit->toolTip(), QStringLiteral("Fiche de débit"));
    QCOMPARE(form_->SpeedButtonPrint->toolTip(), QStringLiteral("Impression de la forme"));
    QCOMPARE(form_->SpeedButtonCalcul->toolTip(), QStringLiteral("Calculer"));
}

void TestMainForm::choiceTextsAreNotCut() {
    showActive();
    for (auto* button : form_->findChildren<QRadioButton*>()) {
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        QVERIFY(button->parentWidget()->rect().contains(button->geometry()));
    }
}

namespace {

struct Placed {
    const char* name;
    QPoint left;
    QPoint right;
};

const Placed kPlaces[] = {
    {"EditAngle", {15, 40}, {391, 72}},      {"LabelAngle", {45, 40}, {421, 72}},
    {"EditGrandExt", {0, 310}, {392, 310}},  {"EditPetitExt", {312, 400}, {80, 400}},
    {"EditLargBois", {320, 496}, {56, 496}}, {"EditLargeur", {145, 576}, {241, 576}},
    {"LabelDiag", {192, 195}, {220, 195}},   {"LabelLargeurInt", {160, 520}, {260, 520}},
    {"LabelPHExt", {410, 392}, {20, 390}},   {"LabelGHInt", {130, 328}, {290, 328}},
    {"LabelPHInt", {216, 398}, {216, 398}},
};

QStringList textsOf(const TMainForm& form) {
    QStringList texts;
    for (auto* edit : form.findChildren<QLineEdit*>()) {
        texts << edit->objectName() + '=' + edit->text();
    }
    for (auto* label : form.findChildren<platform::Label*>()) {
        texts << label->objectName() + '=' + label->text();
    }
    texts.sort();
    return texts;
}

} // namespace

void TestMainForm::shapeSwapsDrawingAndLayoutAndBack() {
    showActive();
    const QStringList texts = textsOf(*form_);
    for (const Placed& p : kPlaces) {
        QCOMPARE(form_->findChild<QWidget*>(p.name)->pos(), p.left);
    }
    QVERIFY(form_->ImageG->isVisible());
    QVERIFY(!form_->ImageD->isVisible());

    choose(form_->RadioGroupForme, 1);
    for (const Placed& p : kPlaces) {
        QVERIFY2(form_->findChild<QWidget*>(p.name)->pos() == p.right, p.name);
    }
    QVERIFY(!form_->ImageG->isVisible());
    QVERIFY(form_->ImageD->isVisible());
    QCOMPARE(form_->ImageD->pos(), QPoint(0, 31));
    QCOMPARE(textsOf(*form_), texts);

    choose(form_->RadioGroupForme, 0);
    for (const Placed& p : kPlaces) {
        QVERIFY2(form_->findChild<QWidget*>(p.name)->pos() == p.left, p.name);
    }
    QCOMPARE(form_->LabelPHExt->pos(), QPoint(410, 392));
    QVERIFY(form_->ImageG->isVisible());
    QVERIFY(!form_->ImageD->isVisible());
    QCOMPARE(textsOf(*form_), texts);
}

void TestMainForm::labelsStayAboveTheVisibleDrawing() {
    showActive();
    for (int shape : {1, 0, 1}) {
        choose(form_->RadioGroupForme, shape);
        const QList<QWidget*> labels{form_->LabelAngle, form_->LabelDiag,  form_->LabelLargeurInt,
                                     form_->LabelPHExt, form_->LabelGHInt, form_->LabelPHInt};
        for (QWidget* label : labels) {
            const QPoint centre = label->geometry().center();
            QCOMPARE(form_->childAt(centre), label);
        }
    }
}

void TestMainForm::modeSetsEnabledStateAndColour_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("angleEntered");
    QTest::addColumn<bool>("longEntered");
    QTest::addColumn<bool>("shortEntered");
    QTest::newRow("both heights entered, the angle is computed") << 0 << false << true << true;
    QTest::newRow("angle and long height entered") << 1 << true << true << false;
    QTest::newRow("angle and short height entered") << 2 << true << false << true;
}

void TestMainForm::modeSetsEnabledStateAndColour() {
    QFETCH(int, mode);
    QFETCH(bool, angleEntered);
    QFETCH(bool, longEntered);
    QFETCH(bool, shortEntered);
    showActive();
    choose(form_->RadioGroupChoix, (mode + 1) % 3);
    choose(form_->RadioGroupChoix, mode);
    const std::pair<QLineEdit*, bool> fields[] = {{form_->EditAngle, angleEntered},
                                                  {form_->EditGrandExt, longEntered},
                                                  {form_->EditPetitExt, shortEntered}};
    for (const auto& [edit, entered] : fields) {
        QCOMPARE(edit->isEnabled(), entered);
        QCOMPARE(ui::fieldColour(edit), entered ? kYellow : buttonFace());
    }
    // The widths are entered in every mode; the two cutting-list fields keep the window colour.
    QCOMPARE(ui::fieldColour(form_->EditLargeur), kAqua);
    QCOMPARE(ui::fieldColour(form_->EditLargBois), kAqua);
    QVERIFY(form_->EditLargeur->isEnabled() && form_->EditLargBois->isEnabled());
    QCOMPARE(ui::fieldColour(form_->EditTenon), QApplication::palette().color(QPalette::Base));
}

void TestMainForm::arrowKeysChangeTheMode() {
    showActive();
    QRadioButton* first = form_->RadioGroupChoix->button(0);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(form_->RadioGroupChoix->ItemIndex(), 1);
    QVERIFY(form_->RadioGroupChoix->button(1)->hasFocus());
    QVERIFY(!form_->EditPetitExt->isEnabled());
    QTest::keyClick(form_->RadioGroupChoix->button(1), Qt::Key_Up);
    QCOMPARE(form_->RadioGroupChoix->ItemIndex(), 0);
    QVERIFY(!form_->EditAngle->isEnabled());
}

void TestMainForm::returningToModeZeroKeepsTheAngleText() {
    showActive();
    choose(form_->RadioGroupChoix, 1);
    QVERIFY(form_->EditAngle->isEnabled());
    QCOMPARE(ui::fieldColour(form_->EditAngle), kYellow);
    QVERIFY(!form_->EditPetitExt->isEnabled());
    QCOMPARE(ui::fieldColour(form_->EditPetitExt), buttonFace());
    typeInto(form_->EditAngle, QStringLiteral("42"));
    choose(form_->RadioGroupChoix, 0);
    QVERIFY(!form_->EditAngle->isEnabled());
    QCOMPARE(ui::fieldColour(form_->EditAngle), buttonFace());
    QCOMPARE(form_->EditAngle->text(), QStringLiteral("42"));
    QCOMPARE(form_->LabelDiag->text(), QStringLiteral("504"));
}

void TestMainForm::jointRenamesTenonCaptionOnly() {
    showActive();
    QCOMPARE(form_->Label2->text(), QStringLiteral("Ravancement (mm)"));
    choose(form_->RadioGroupAssemblage, 1);
    QCOMPARE(form_->Label2->text(), QStringLiteral("Longueur du tenon (mm)"));
    QCOMPARE(form_->EditTenon->text(), QStringLiteral("15"));
    QCOMPARE(form_->EditTenon->accessibleName(), QStringLiteral("Longueur du tenon (mm)"));
    // The label grows with its caption instead of cutting it.
    QCOMPARE(form_->Label2->width(), form_->Label2->sizeHint().width());
    choose(form_->RadioGroupAssemblage, 0);
    QCOMPARE(form_->Label2->text(), QStringLiteral("Ravancement (mm)"));
    QCOMPARE(form_->EditTenon->text(), QStringLiteral("15"));
}

QTEST_MAIN(TestMainForm)
#include "tst_tmainform.moc"
