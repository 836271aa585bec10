// Every function within reach without a mouse: the bar's keys from any field, and the three
// windows as an assistive tool reads them.

#include "app/program.h"
#include "platform/messagebox.h"
#include "platform/radiogroup.h"
#include "platform/speedbutton.h"
#include "support/modalanswer.h"
#include "ui/about/taboutbox.h"
#include "ui/debit/tformdebitdlg.h"
#include "ui/main/tmainform.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <memory>

namespace {

enum class Effect { Calculates, AsksToPrint, OpensTheList, OpensTheAboutBox, OpensTheHelp };

// Counts the presses of one key that reach a field (its key filter sees every one of them).
class KeyPressCounter : public QObject {
public:
    explicit KeyPressCounter(Qt::Key key) : key_(key) {}
    int presses = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) {
            ++presses;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Qt::Key key_;
};

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The controls of a window that the user can reach (focusable or with an action), the grid's
// cells left out.
void reachable(QAccessibleInterface* node, QList<QAccessibleInterface*>& found) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child->state().invisible) {
            continue;
        }
        const QAccessibleActionInterface* actions = child->actionInterface();
        if (child->state().focusable || (actions != nullptr && !actions->actionNames().isEmpty())) {
            found.append(child);
        }
        if (child->role() != QAccessible::Table) {
            reachable(child, found);
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Effect)

// Receives the help requests that would otherwise go to the desktop's document viewer.
class HelpRecorder : public QObject {
    Q_OBJECT
public:
    int opened = 0;
public slots:
    void open(const QUrl&) { ++opened; }
};

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eachKeyDoesWhatItsButtonDoesFromAnyField_data();
    void eachKeyDoesWhatItsButtonDoesFromAnyField();
    void everyReachableControlHasAUniqueName();
    void anAccessibleToggleChangesTheMode();

private:
    std::unique_ptr<app::Program> program_;
    QList<platform::BoxRequest> boxes_;
};

void TestAccess::init() {
    boxes_.clear();
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request);
        return platform::BoxAnswer::No;
    });
    program_ = std::make_unique<app::Program>();
    TMainForm& main = program_->MainForm();
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void TestAccess::cleanup() {
    program_.reset();
    platform::setBoxResponder({});
}

void TestAccess::eachKeyDoesWhatItsButtonDoesFromAnyField_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("field");
    QTest::addColumn<Effect>("effect");
    QTest::newRow("F9 calculates")
        << "SpeedButtonCalcul" << QKeySequence(Qt::Key_F9) << "EditTenon" << Effect::Calculates;
    QTest::newRow("Ctrl+P asks to print the window")
        << "SpeedButtonPrint" << QKeySequence(Qt::CTRL | Qt::Key_P) << "EditGrandExt"
        << Effect::AsksToPrint;
    QTest::newRow("Ctrl+L opens the cutting list")
        << "SpeedButtonDebit" << QKeySequence(Qt::CTRL | Qt::Key_L) << "EditLargeur"
        << Effect::OpensTheList;
    QTest::newRow("Shift+F1 opens the about box")
        << "SpeedButtonAbout" << QKeySequence(Qt::SHIFT | Qt::Key_F1) << "EditEpaisseur"
        << Effect::OpensTheAboutBox;
    QTest::newRow("F1 opens the help")
        << "SpeedButtonHelp" << QKeySequence(Qt::Key_F1) << "EditLargBois" << Effect::OpensTheHelp;
}

void TestAccess::eachKeyDoesWhatItsButtonDoesFromAnyField() {
    QFETCH(QString, button);
    QFETCH(QKeySequence, key);
    QFETCH(QString, field);
    QFETCH(Effect, effect);
    TMainForm& main = program_->MainForm();
    auto* speedButton = main.findChild<platform::SpeedButton*>(button);
    QAccessibleInterface* pressable = accessible(speedButton);
    QVERIFY(
        pressable->text(QAccessible::Description).contains(key.toString(QKeySequence::NativeText)));
    QCOMPARE(pressable->actionInterface()->keyBindingsForAction(
                 QAccessibleActionInterface::pressAction()),
             QStringList{key.toString()});

    auto* edit = main.findChild<QLineEdit*>(field);
    const QString text = edit->text();
    edit->setFocus();
    KeyPressCounter counter(key[0].key());
    edit->installEventFilter(&counter);
    HelpRecorder viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    const auto pressKey = [&] { QTest::keySequence(edit, key); };
    QList<QWidget*> modals;
    if (effect == Effect::OpensTheList || effect == Effect::OpensTheAboutBox) {
        modals = testsupport::answerModal(pressKey, [](QWidget* modal) { modal->close(); });
    } else {
        pressKey();
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    // The panel dimensions stay 0 until a calculation stores them.
    QCOMPARE(main.Dimensions().Largeur, effect == Effect::Calculates ? 525.0 : 0.0);
    QCOMPARE(boxes_.size(), effect == Effect::AsksToPrint ? 1 : 0);
    if (effect == Effect::AsksToPrint) {
        QCOMPARE(boxes_[0].text, QStringLiteral("Impression de la fenêtre"));
        QCOMPARE(boxes_[0].owner, &main);
    }
    QWidget* expectedModal = nullptr;
    if (effect == Effect::OpensTheList) {
        expectedModal = &program_->FormDebitDlg();
    } else if (effect == Effect::OpensTheAboutBox) {
        expectedModal = &program_->AboutBox();
    }
    QCOMPARE(modals.value(0), expectedModal);
    QCOMPARE(viewer.opened, effect == Effect::OpensTheHelp ? 1 : 0);
    // The key went to no field: the key filter never saw it and the text is as it was.
    QCOMPARE(counter.presses, 0);
    QCOMPARE(edit->text(), text);
}

void TestAccess::everyReachableControlHasAUniqueName() {
    program_->FormDebitDlg().show();
    program_->AboutBox().show();
    // The main window: the close button, five speed buttons, seven choices, seven fields (the
    // angle field too, which assistive tools list as disabled in the start mode).
    QHash<QWidget*, qsizetype> expected{
        {&program_->MainForm(), 20}, {&program_->FormDebitDlg(), 3}, {&program_->AboutBox(), 1}};
    for (QWidget* window : expected.keys()) {
        QList<QAccessibleInterface*> controls;
        reachable(accessible(window), controls);
        QCOMPARE(controls.size(), expected.take(window));
        QStringList names;
        for (QAccessibleInterface* control : controls) {
            const QString name = control->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->object()->objectName()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
        }
    }
}

void TestAccess::anAccessibleToggleChangesTheMode() {
    TMainForm& main = program_->MainForm();
    QRadioButton* angleAndLongHeight = main.RadioGroupChoix->button(1);
    accessible(angleAndLongHeight)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(main.RadioGroupChoix->ItemIndex(), 1);
    QVERIFY(!accessible(main.RadioGroupChoix->button(0))->state().checked);
    QVERIFY(!main.EditPetitExt->isEnabled());
    QVERIFY(main.EditAngle->isEnabled());
    QTest::keyClick(main.EditAngle, Qt::Key_F9);
    QCOMPARE(main.EditPetitExt->text(), QStringLiteral("354"));
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
