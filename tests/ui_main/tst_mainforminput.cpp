// Typing into the main window: the keys each field takes, where the focus goes, closing from
// the keyboard, and the calculation with its worked examples and its failures.

#include "platform/accessibility.h"
#include "platform/apptitle.h"
#include "platform/label.h"
#include "ui_main/mainformfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSignalSpy>

using platform::BoxAnswer;
using platform::BoxIcon;

namespace {

enum class Key { Text, Backspace, Delete, Enter, Escape, CtrlV, CtrlX, CtrlA };

// Counts a widget's appearances, each of which Qt tells assistive tools (ObjectShow).
class Appearances : public QObject {
public:
    explicit Appearances(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

} // namespace

Q_DECLARE_METATYPE(Key)

class TestMainFormInput : public QObject, private MainFormFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

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
};

void TestMainFormInput::keyFilter_data() {
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

void TestMainFormInput::keyFilter() {
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

void TestMainFormInput::keyFilterGuardsAllSevenFields() {
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

void TestMainFormInput::pastingThroughTheMenuIsNotFiltered() {
    showActive();
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    form_->EditLargeur->selectAll();
    form_->EditLargeur->paste(); // what the field's context menu does
    QCOMPARE(form_->EditLargeur->text(), QStringLiteral("abc"));
}

void TestMainFormInput::focusStartsOnCloseAndFollowsTheTabOrder() {
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

void TestMainFormInput::enterOrSpaceOnCloseClosesTheWindow_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("the space bar") << int(Qt::Key_Space);
}

void TestMainFormInput::enterOrSpaceOnCloseClosesTheWindow() {
    QFETCH(int, key);
    showActive();
    QSignalSpy closed(form_.get(), &TMainForm::closed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form_->isVisible());
}

void TestMainFormInput::workedExamplesThroughTheFields_data() {
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

void TestMainFormInput::workedExamplesThroughTheFields() {
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
    const Appearances announced(form_->ResultAnnouncer);
    if (mark == ',') {
        QTest::keyClick(form_->EditLargeur, Qt::Key_F9);
    } else {
        calculate();
    }
    QVERIFY2(boxes_.isEmpty(), boxes_.isEmpty() ? "" : qPrintable(boxes_.front().text));
    auto* computed = form_->findChild<QLineEdit*>(computedField);
    QCOMPARE(computed->text(), computedText);
    const QStringList shown{form_->LabelLargeurInt->text(), form_->LabelGHInt->text(),
                            form_->LabelPHExt->text(), form_->LabelDiag->text(),
                            form_->LabelPHInt->text()};
    QCOMPARE(shown, labels);
    QCOMPARE(form_->LabelLargeurInt->accessibleName(),
             QStringLiteral("Largeur intérieure : %1 mm").arg(labels[0]));
    // A screen reader speaks a notification as it appears: the values, each with its meaning.
    QCOMPARE(announced.count, 1);
    QAccessibleInterface* announcer = QAccessible::queryAccessibleInterface(form_->ResultAnnouncer);
    QCOMPARE(announcer->role(), QAccessible::Notification);
    const QString heard = announcer->text(QAccessible::Name);
    QVERIFY2(heard.contains(computed->accessibleName() + QStringLiteral(" : ") + computedText),
             qPrintable(heard));
    for (platform::Label* label : {form_->LabelLargeurInt, form_->LabelGHInt, form_->LabelPHExt,
                                   form_->LabelDiag, form_->LabelPHInt}) {
        QVERIFY2(heard.contains(label->accessibleName()), qPrintable(heard));
    }
    QVERIFY(qAbs(form_->Dimensions().PanneauGH - panneauGH) < 0.001);
    QVERIFY(qAbs(form_->Dimensions().PanneauPH - panneauPH) < 0.001);
}

void TestMainFormInput::unreadableFieldGivesTheNoticeAndChangesNothing() {
    showActive();
    form_->LabelDiag->setCaption(QStringLiteral("?"));
    form_->EditLargBois->clear();
    const Appearances announced(form_->ResultAnnouncer);
    calculate();
    QCOMPARE(announced.count, 0); // the notice box is what is heard
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

void TestMainFormInput::arithmeticFaultReachesTheErrorBoxAndTheWindowGoesOn() {
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

QTEST_MAIN(TestMainFormInput)
#include "tst_mainforminput.moc"
