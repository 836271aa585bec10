#include "platform/apptitle.h"
#include "platform/decimalmark.h"
#include "platform/label.h"
#include "platform/messagebox.h"
#include "platform/picturebox.h"
#include "platform/radiogroup.h"
#include "platform/speedbutton.h"
#include "ui/main/fieldcolour.h"
#include "ui/main/tmainform.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using platform::BoxAnswer;
using platform::BoxIcon;
using platform::BoxRequest;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

enum class Key { Text, Backspace, Delete, Enter, Escape, CtrlV, CtrlX, CtrlA };

} // namespace

Q_DECLARE_METATYPE(Key)

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void everyControlIsNamedForAssistiveTools();
    void choiceTextsAreNotCut();
    void shapeSwapsDrawingAndLayoutAndBack();
    void labelsStayAboveTheVisibleDrawing();
    void modeSetsEnabledStateAndColour_data();
    void modeSetsEnabledStateAndColour();
    void arrowKeysChangeTheMode();
    void returningToModeZeroKeepsTheAngleText();
    void jointRenamesTenonCaptionOnly();
    void keyFilter_data();
    void keyFilter();
    void keyFilterGuardsAllSevenFields();
    void pastingThroughTheMenuIsNotFiltered();
    void focusStartsOnCloseAndFollowsTheTabOrder();
    void enterOrSpaceOnCloseClosesTheWindow_data();
    void enterOrSpaceOnCloseClosesTheWindow();
    void workedExamplesThroughTheFields_data();
    void workedExamplesThroughTheFields();
    void unreadableFieldGivesTheNoticeAndChangesNothing();
    void arithmeticFaultReachesTheErrorBoxAndTheWindowGoesOn();

private:
    void showActive();
    void choose(platform::RadioGroup* group, int index);
    void typeInto(QLineEdit* edit, const QString& text);
    void calculate();

    platform::DecimalMarkWatcher decimalMark_; // the mark the windows read
    std::unique_ptr<TMainForm> form_;
    QList<BoxRequest> boxes_;
};

void TestMainForm::init() {
    decimalMark_.setMark('.');
    boxes_.clear();
    platform::setBoxResponder([this](const BoxRequest& request) {
        boxes_.append(request);
        return BoxAnswer::Ok;
    });
    form_ = std::make_unique<TMainForm>();
}

void TestMainForm::cleanup() {
    form_.reset();
    platform::setBoxResponder({});
}

void TestMainForm::showActive() {
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestMainForm::choose(platform::RadioGroup* group, int index) {
    QRadioButton* button = group->button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    QCOMPARE(group->ItemIndex(), index);
}

void TestMainForm::typeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void TestMainForm::calculate() {
    QTest::mouseClick(form_->SpeedButtonCalcul, Qt::LeftButton);
}

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
    // A result label reads out the number it shows, and says what that number is.
    for (const char* name :
         {"LabelDiag", "LabelLargeurInt", "LabelPHExt", "LabelGHInt", "LabelPHInt"}) {
        auto* label = form_->findChild<platform::Label*>(name);
        QCOMPARE(label->accessibleName(), label->text());
        QVERIFY(!label->accessibleDescription().isEmpty());
    }
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

void TestMainForm::keyFilter_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<Key>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    for (char mark : {'.', ','}) {
        const QString m(QChar::fromLatin1(mark));
        const auto row = [&](const char* what) -> QTestData& {
            return QTest::addRow("%s (mark %c)", what, mark);
        };
        row("letters change nothing") << mark << Key::Text << "abcXYZ"
                                      << "795";
        row("a minus sign changes nothing") << mark << Key::Text << "-"
                                            << "795";
        row("a space changes nothing") << mark << Key::Text << " "
                                       << "795";
        row("digits are typed") << mark << Key::Text << "0123456789"
                                << "7950123456789";
        row("the decimal mark is typed") << mark << Key::Text << m + "5"
                                         << "795" + m + "5";
        row("the other separator changes nothing")
            << mark << Key::Text << QString(mark == '.' ? "," : ".") << "795";
        row("backspace erases") << mark << Key::Backspace << ""
                                << "79";
        row("Delete still erases") << mark << Key::Delete << ""
                                   << "95";
        row("Enter changes nothing") << mark << Key::Enter << ""
                                     << "795";
        row("Escape changes nothing") << mark << Key::Escape << ""
                                      << "795";
        row("Ctrl+V does not paste") << mark << Key::CtrlV << ""
                                     << "795";
        row("Ctrl+X does not cut") << mark << Key::CtrlX << ""
                                   << "795";
        row("Ctrl+A then a digit does not replace the text") << mark << Key::CtrlA << ""
                                                             << "7951";
    }
}

void TestMainForm::keyFilter() {
    QFETCH(char, mark);
    QFETCH(Key, key);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    decimalMark_.setMark(mark);
    showActive();
    QLineEdit* edit = form_->EditGrandExt;
    edit->setFocus();
    edit->end(false);
    QApplication::clipboard()->setText(QStringLiteral("123"));
    switch (key) {
    case Key::Text:
        QTest::keyClicks(edit, typed);
        break;
    case Key::Backspace:
        QTest::keyClick(edit, Qt::Key_Backspace);
        break;
    case Key::Delete:
        edit->home(false);
        QTest::keyClick(edit, Qt::Key_Delete);
        break;
    case Key::Enter:
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        break;
    case Key::Escape:
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(form_->isVisible());
        break;
    case Key::CtrlV:
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        break;
    case Key::CtrlX:
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        break;
    case Key::CtrlA:
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_1);
        break;
    }
    QCOMPARE(edit->text(), expected);
}

void TestMainForm::keyFilterGuardsAllSevenFields() {
    decimalMark_.setMark(',');
    showActive();
    choose(form_->RadioGroupChoix, 1); // so that the angle field takes keys
    for (QLineEdit* edit : {form_->EditTenon, form_->EditLargBois, form_->EditEpaisseur,
                            form_->EditLargeur, form_->EditGrandExt, form_->EditAngle}) {
        const QString before = edit->text();
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("a- .x"));
        QCOMPARE(edit->text(), before);
        QTest::keyClicks(edit, QStringLiteral("1,5"));
        QCOMPARE(edit->text(), before + QStringLiteral("1,5"));
    }
    choose(form_->RadioGroupChoix, 0);
    QLineEdit* edit = form_->EditPetitExt;
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("q-. 2"));
    QCOMPARE(edit->text(), QStringLiteral("3512"));
}

void TestMainForm::pastingThroughTheMenuIsNotFiltered() {
    showActive();
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    form_->EditLargeur->selectAll();
    form_->EditLargeur->paste(); // what the field's context menu does
    QCOMPARE(form_->EditLargeur->text(), QStringLiteral("abc"));
}

void TestMainForm::focusStartsOnCloseAndFollowsTheTabOrder() {
    showActive();
    QCOMPARE(QApplication::focusWidget(), form_->BitBtnClose);
    const QList<QWidget*> expected{form_->RadioGroupChoix->button(0), form_->EditLargBois,
                                   form_->RadioGroupAssemblage->button(0), form_->EditTenon,
                                   form_->EditEpaisseur, form_->EditLargeur, form_->EditPetitExt,
                                   form_->EditGrandExt,
                                   // EditAngle is disabled in the start mode: skipped.
                                   form_->RadioGroupForme->button(0), form_->BitBtnClose};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // In a mode where the angle is entered, it comes between the long height and the shape.
    choose(form_->RadioGroupChoix, 2);
    form_->EditPetitExt->setFocus();
    QTest::keyClick(form_->EditPetitExt, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->EditAngle);
    QTest::keyClick(form_->EditAngle, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->RadioGroupForme->button(0));
    for (auto* button : form_->findChildren<platform::SpeedButton*>()) {
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
}

void TestMainForm::enterOrSpaceOnCloseClosesTheWindow_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("the space bar") << int(Qt::Key_Space);
}

void TestMainForm::enterOrSpaceOnCloseClosesTheWindow() {
    QFETCH(int, key);
    showActive();
    QSignalSpy closed(form_.get(), &TMainForm::closed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form_->isVisible());
}

void TestMainForm::workedExamplesThroughTheFields_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("computedField");
    QTest::addColumn<QString>("computedText");
    QTest::addColumn<QStringList>("labels"); // LargeurInt, GHInt, PHExt, Diag, PHInt
    QTest::addColumn<double>("panneauGH");
    QTest::addColumn<double>("panneauPH");
    for (char mark : {'.', ','}) {
        QTest::addRow("both heights give the angle 49%c8 (mark %c)", mark, mark)
            << mark << 0 << "EditAngle" << QString("49") + QChar::fromLatin1(mark) + "8"
            << QStringList{"385", "574", "410", "504", "249"} << 621.454 << 270.482;
        QTest::addRow("angle and long height give the short height 354 (mark %c)", mark)
            << mark << 1 << "EditPetitExt"
            << "354" << QStringList{"385", "575", "413", "503", "252"} << 622.052 << 273.826;
        QTest::addRow("angle and short height give the long height 792 (mark %c)", mark)
            << mark << 2 << "EditGrandExt"
            << "792" << QStringList{"385", "571", "410", "503", "248"} << 618.579 << 270.353;
    }
}

void TestMainForm::workedExamplesThroughTheFields() {
    QFETCH(char, mark);
    QFETCH(int, mode);
    QFETCH(QString, computedField);
    QFETCH(QString, computedText);
    QFETCH(QStringList, labels);
    QFETCH(double, panneauGH);
    QFETCH(double, panneauPH);
    decimalMark_.setMark(mark);
    showActive();
    choose(form_->RadioGroupChoix, mode);
    // Clear the results so that the test sees what the calculation wrote.
    for (platform::Label* label : {form_->LabelLargeurInt, form_->LabelGHInt, form_->LabelPHExt,
                                   form_->LabelDiag, form_->LabelPHInt}) {
        label->setCaption(QStringLiteral("?"));
    }
    for (QLineEdit* edit : {form_->EditGrandExt, form_->EditPetitExt, form_->EditLargeur,
                            form_->EditLargBois, form_->EditAngle}) {
        if (edit->isEnabled()) {
            edit->clear();
        }
    }
    if (mode != 2) {
        typeInto(form_->EditGrandExt, QStringLiteral("795"));
    }
    if (mode != 1) {
        typeInto(form_->EditPetitExt, QStringLiteral("351"));
    }
    typeInto(form_->EditLargeur, QStringLiteral("525"));
    typeInto(form_->EditLargBois, QStringLiteral("70"));
    if (mode != 0) {
        typeInto(form_->EditAngle, QStringLiteral("50"));
    }
    calculate();
    QVERIFY2(boxes_.isEmpty(), boxes_.isEmpty() ? "" : qPrintable(boxes_.front().text));
    QCOMPARE(form_->findChild<QLineEdit*>(computedField)->text(), computedText);
    const QStringList shown{form_->LabelLargeurInt->text(), form_->LabelGHInt->text(),
                            form_->LabelPHExt->text(), form_->LabelDiag->text(),
                            form_->LabelPHInt->text()};
    QCOMPARE(shown, labels);
    QCOMPARE(form_->LabelDiag->accessibleName(), labels[3]);
    QVERIFY(qAbs(form_->Dimensions().PanneauGH - panneauGH) < 0.001);
    QVERIFY(qAbs(form_->Dimensions().PanneauPH - panneauPH) < 0.001);
}

void TestMainForm::unreadableFieldGivesTheNoticeAndChangesNothing() {
    showActive();
    form_->LabelDiag->setCaption(QStringLiteral("?"));
    form_->EditLargBois->clear();
    calculate();
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QStringLiteral("Valeurs saisies incorrectes"));
    QCOMPARE(boxes_[0].caption, platform::applicationTitle());
    QCOMPARE(boxes_[0].icon, BoxIcon::None);
    QCOMPARE(boxes_[0].buttons, QList<BoxAnswer>{BoxAnswer::Ok});
    QCOMPARE(form_->LabelDiag->text(), QStringLiteral("?"));
    QCOMPARE(form_->EditAngle->text(), QStringLiteral("50"));
    // The first three fields were read before the failing fourth.
    QCOMPARE(form_->Dimensions().GrandExt, 795.0);
    QCOMPARE(form_->Dimensions().Largeur, 525.0);
    QCOMPARE(form_->Dimensions().LargBois, 0.0);
}

void TestMainForm::arithmeticFaultReachesTheErrorBoxAndTheWindowGoesOn() {
    showActive();
    typeInto(form_->EditPetitExt, QStringLiteral("795")); // equal heights: no slope
    form_->LabelLargeurInt->setCaption(QStringLiteral("?"));
    form_->LabelGHInt->setCaption(QStringLiteral("?"));
    calculate();
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QStringLiteral("Division par zéro en virgule flottante."));
    QCOMPARE(boxes_[0].icon, BoxIcon::Error);
    QCOMPARE(boxes_[0].caption, platform::applicationTitle());
    QCOMPARE(form_->LabelLargeurInt->text(), QStringLiteral("385")); // written before the fault
    QCOMPARE(form_->LabelGHInt->text(), QStringLiteral("?"));
    QCOMPARE(form_->EditAngle->text(), QStringLiteral("50"));

    // The program goes on: the next calculation works.
    boxes_.clear();
    typeInto(form_->EditPetitExt, QStringLiteral("351"));
    calculate();
    QVERIFY(boxes_.isEmpty());
    QCOMPARE(form_->LabelGHInt->text(), QStringLiteral("574"));
    QCOMPARE(form_->EditAngle->text(), QStringLiteral("49.8"));
}

QTEST_MAIN(TestMainForm)
#include "tst_tmainform.moc"
