// The string grid's in-place editor, its focus handling, the posted notifications and the
// show-hint hook: what a user sees while editing and what the aligned grid relies on.

#include "base/failure.h"
#include "platform/messagebox.h"
#include "platform/showfailure.h"
#include "widgets/stringgrid/hinthook.h"
#include "widgets/stringgrid/inplaceedit.h"
#include "widgets/stringgrid/postednotify.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <memory>

using stringgrid::GridOption;
using stringgrid::GridOptions;
using stringgrid::InplaceEdit;
using stringgrid::StringGrid;

namespace {

// An editor that drops 'q' and turns Escape into Enter, as a derived grid's editor may.
class FilteringEdit : public InplaceEdit {
public:
    using InplaceEdit::InplaceEdit;

protected:
    void KeyPress(QChar& key) override {
        if (key == QChar('q'))
            key = QChar();
        else if (key == QChar(27))
            key = QChar(13);
    }
};

class ProbeGrid : public StringGrid {
public:
    using StringGrid::StringGrid;
    QStringList log;
    int refusedCol = -1; // the editor may not show in this column
    int asked = 0;
    bool filteringEditor = false;
    bool failOnNotification = false;

protected:
    InplaceEdit* CreateEditor() override {
        if (filteringEditor)
            return new FilteringEdit(this);
        return StringGrid::CreateEditor();
    }
    bool CanEditShow() const override {
        ++const_cast<ProbeGrid*>(this)->asked;
        return StringGrid::CanEditShow() && Col() != refusedCol;
    }
    void PostedNotification(int id, int col, int row) override {
        log.append(QStringLiteral("%1(%2,%3)").arg(id).arg(col).arg(row));
        if (failOnNotification)
            throw base::Failure("Notification en échec");
    }
    void TypedCharacter(QChar ch) override {
        log.append(QStringLiteral("typed %1").arg(ch));
        stringgrid::postNotification(this, 3025, Col(), Row());
        StringGrid::TypedCharacter(ch);
    }
    void FocusLost() override {
        log.append("lost");
        StringGrid::FocusLost();
    }
    void FocusGained() override {
        log.append("gained");
        StringGrid::FocusGained();
    }
};

// A window holding the grid and a line edit to take the focus away.
struct Window {
    QWidget window;
    ProbeGrid* grid;
    QLineEdit* other;
    Window() {
        auto* layout = new QVBoxLayout(&window);
        grid = new ProbeGrid(&window);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        grid->setCells(1, 1, "un");
        grid->setCells(1, 2, "deux");
        grid->setCells(2, 1, "trois");
        grid->setOptions(grid->Options() | GridOption::goEditing);
        grid->setFailureReporter([](const std::exception& f) { platform::ShowFailure(f); });
        window.resize(400, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the window did not become active");
        grid->setFocus();
        grid->log.clear();
    }
    InplaceEdit* editor() const { return grid->InplaceEditor(); }
    bool editorShown() const { return editor() && editor()->isVisible(); }
};

// Types each character as a key press carrying it, accented letters included.
void typeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

void sendHelp(QWidget* widget, QPoint pos) {
    QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &help);
}

} // namespace

class TestStringGridEditor : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void editorOpensOnKeys_data();
    void editorOpensOnKeys();
    void typingGoesToTheCellAsTyped();
    void escapeRestoresTheTextAndCloses();
    void enterKeepsTheEditorOpen();
    void editorFollowsArrowKeys();
    void editorAsksBeforeShowingOrMoving();
    void alwaysShowEditor();
    void noEditorWithoutEditingOrWithRowSelect();
    void doubleClickOpens();
    void editorKeyHookFiltersKeys();
    void cellWrittenWhileEditedShowsInEditor();
    void focusMovesBetweenGridAndEditorAsOne();
    void destroyingWithOpenEditorIsSafe();
    void sentAtOncePostedAfterTheEvent();
    void failingNotificationIsShownAndTheNextStillRuns();
    void notificationForDestroyedGridIsDropped();
    void hintHandlerSeesAndChangesTheHint();
    void hintOnGridIsForTheGridInItsCoordinates();
    void hintCanBeRefusedOrEmptied_data();
    void hintCanBeRefusedOrEmptied();
    void failingHintHandlerIsShown();

private:
    QStringList boxes_;
};

void TestStringGridEditor::initTestCase() {
    platform::setBoxResponder([this](const platform::BoxRequest& request) {
        boxes_.append(request.text);
        return platform::BoxAnswer::Ok;
    });
}

void TestStringGridEditor::init() {
    boxes_.clear();
    stringgrid::setShowHintHandler({});
    QToolTip::hideText();
}

void TestStringGridEditor::editorOpensOnKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("allSelected");
    QTest::newRow("F2 opens on the cell's text, all selected")
        << int(Qt::Key_F2) << QString() << "un" << true;
    QTest::newRow("Enter opens on the cell's text")
        << int(Qt::Key_Return) << QString() << "un" << true;
    QTest::newRow("a typed character replaces the text") << int(Qt::Key_7) << "7"
                                                         << "7" << false;
    QTest::newRow("Backspace opens on an empty text") << int(Qt::Key_Backspace) << "\b"
                                                      << "" << false;
}

void TestStringGridEditor::editorOpensOnKeys() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, allSelected);
    Window w;
    QVERIFY(w.editor() == nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w.grid, &press);
    QVERIFY(w.editorShown());
    QVERIFY(w.grid->EditorMode());
    QCOMPARE(w.editor()->text(), shown);
    QCOMPARE(w.editor()->hasSelectedText(), allSelected);
    QCOMPARE(w.editor()->geometry(), w.grid->CellRect(1, 1));
    QCOMPARE(w.grid->Cells(1, 1), shown);
    QVERIFY(w.editor()->hasFocus());
    QCOMPARE(w.editor()->Grid(), w.grid);
}

void TestStringGridEditor::typingGoesToTheCellAsTyped() {
    Window w;
    QTest::keyClick(w.grid, Qt::Key_F2);
    typeText(w.editor(), QString::fromUtf8("Épa"));
    QCOMPARE(w.grid->Cells(1, 1), QString::fromUtf8("Épa"));
    QTest::keyClick(w.editor(), Qt::Key_Backspace);
    QCOMPARE(w.grid->Cells(1, 1), "Ép");
}

void TestStringGridEditor::escapeRestoresTheTextAndCloses() {
    Window w;
    QTest::keyClick(w.grid, Qt::Key_F2);
    QTest::keyClicks(w.editor(), "abc");
    QTest::keyClick(w.editor(), Qt::Key_Backspace);
    QTest::keyClicks(w.editor(), "x");
    QTest::keyClick(w.editor(), Qt::Key_Escape);
    QCOMPARE(w.grid->Cells(1, 1), "un");
    QVERIFY(!w.editorShown());
    QVERIFY(!w.grid->EditorMode());
    QVERIFY(w.grid->hasFocus());
}

void TestStringGridEditor::enterKeepsTheEditorOpen() {
    Window w;
    QTest::keyClick(w.grid, Qt::Key_F2);
    QTest::keyClicks(w.editor(), "neuf");
    QTest::keyClick(w.editor(), Qt::Key_Return);
    QVERIFY(w.editorShown());
    QCOMPARE(w.grid->Cells(1, 1), "neuf");
    QVERIFY(w.editor()->hasSelectedText()); // Enter toggles between all and no selection
    QTest::keyClick(w.editor(), Qt::Key_Return);
    QVERIFY(!w.editor()->hasSelectedText());
}

void TestStringGridEditor::editorFollowsArrowKeys() {
    Window w;
    QTest::keyClick(w.grid, Qt::Key_F2);
    typeText(w.editor(), QString::fromUtf8("modifié"));
    QTest::keyClick(w.editor(), Qt::Key_Down);
    QCOMPARE(QPoint(w.grid->Col(), w.grid->Row()), QPoint(1, 2));
    QVERIFY(w.editorShown());
    QCOMPARE(w.editor()->text(), "deux");
    QCOMPARE(w.editor()->geometry(), w.grid->CellRect(1, 2));
    QCOMPARE(w.grid->Cells(1, 1), QString::fromUtf8("modifié"));
    // Left inside the text moves the caret; at its start it moves to the next cell.
    QTest::keyClick(w.editor(), Qt::Key_End);
    QTest::keyClick(w.editor(), Qt::Key_Right);
    QCOMPARE(w.grid->Col(), 2);
    QCOMPARE(w.editor()->text(), QString());
    // Escape in the new cell restores only the new cell.
    QTest::keyClicks(w.editor(), "z");
    QTest::keyClick(w.editor(), Qt::Key_Escape);
    QCOMPARE(w.grid->Cells(2, 2), QString());
    QCOMPARE(w.grid->Cells(1, 1), QString::fromUtf8("modifié"));
}

void TestStringGridEditor::editorAsksBeforeShowingOrMoving() {
    Window w;
    w.grid->refusedCol = 2;
    QTest::keyClick(w.grid, Qt::Key_F2);
    const int asksToShow = w.grid->asked;
    QVERIFY(asksToShow >= 1);
    QTest::keyClick(w.editor(), Qt::Key_Down);
    QVERIFY(w.grid->asked > asksToShow);
    QVERIFY(w.editorShown());
    w.editor()->deselect();
    w.editor()->end(false);
    QTest::keyClick(w.editor(), Qt::Key_Right); // into the refused column
    QCOMPARE(w.grid->Col(), 2);
    QVERIFY(!w.editorShown());
    QVERIFY(!w.grid->EditorMode());
    QVERIFY(w.grid->hasFocus());
    QTest::keyClick(w.grid, Qt::Key_F2);
    QVERIFY(!w.editorShown());
}

void TestStringGridEditor::alwaysShowEditor() {
    Window w;
    w.grid->setOptions(w.grid->Options() | GridOption::goAlwaysShowEditor);
    QVERIFY(w.editorShown());
    QTest::keyClick(w.editor(), Qt::Key_Down);
    QVERIFY(w.editorShown());
    QCOMPARE(w.editor()->text(), "deux");
    QTest::keyClicks(w.editor(), "x");
    QTest::keyClick(w.editor(), Qt::Key_Escape);
    QVERIFY(w.editorShown()); // stays, with the text restored
    QCOMPARE(w.grid->Cells(1, 2), "deux");
}

void TestStringGridEditor::noEditorWithoutEditingOrWithRowSelect() {
    Window w;
    QStringList typed;
    connect(w.grid, &StringGrid::KeyPressEvent, [&](QChar& key) { typed.append(key); });
    w.grid->setOptions(w.grid->Options() & ~GridOptions(GridOption::goEditing));
    QTest::keyClicks(w.grid, "a");
    QTest::keyClick(w.grid, Qt::Key_F2);
    QVERIFY(!w.editorShown());
    QCOMPARE(typed, QStringList{"a"});
    QCOMPARE(w.grid->Cells(1, 1), "un");
    w.grid->setOptions(w.grid->Options() | GridOption::goEditing | GridOption::goRowSelect);
    QTest::keyClick(w.grid, Qt::Key_F2);
    QVERIFY(!w.editorShown());
}

void TestStringGridEditor::doubleClickOpens() {
    Window w;
    const QPoint pos = w.grid->CellRect(2, 1).center();
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseDClick(w.grid->viewport(), Qt::LeftButton, {}, pos);
    QVERIFY(w.editorShown());
    QCOMPARE(w.editor()->text(), "trois");
}

void TestStringGridEditor::editorKeyHookFiltersKeys() {
    Window w;
    w.grid->filteringEditor = true;
    QTest::keyClick(w.grid, Qt::Key_F2);
    QVERIFY(dynamic_cast<const FilteringEdit*>(w.editor()) != nullptr);
    QTest::keyClick(w.editor(), Qt::Key_End);
    QTest::keyClicks(w.editor(), "aqb");
    QCOMPARE(w.grid->Cells(1, 1), "unab");
    QTest::keyClick(w.editor(), Qt::Key_Escape); // became Enter: kept and still open
    QVERIFY(w.editorShown());
    QCOMPARE(w.grid->Cells(1, 1), "unab");
}

void TestStringGridEditor::cellWrittenWhileEditedShowsInEditor() {
    Window w;
    QTest::keyClick(w.grid, Qt::Key_Down);
    QTest::keyClick(w.grid, Qt::Key_F2);
    w.grid->setCells(1, 2, "écrit");
    QCOMPARE(w.editor()->text(), QString::fromUtf8("écrit"));
    // The edited cell goes away with its row: the editor follows the current cell and
    // writes nothing into the removed row.
    w.grid->setRowCount(2);
    QCOMPARE(w.grid->Row(), 1);
    QVERIFY(w.editorShown());
    QCOMPARE(w.editor()->text(), "un");
    w.grid->setRowCount(3);
    QCOMPARE(w.grid->Cells(1, 2), QString());
}

void TestStringGridEditor::focusMovesBetweenGridAndEditorAsOne() {
    Window w;
    QTest::keyClick(w.grid, Qt::Key_F2);
    QTest::keyClick(w.editor(), Qt::Key_Escape);
    QVERIFY(w.grid->log.isEmpty()); // grid to editor and back is no focus change
    w.other->setFocus();
    QCOMPARE(w.grid->log, QStringList{"lost"});
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_F2);
    w.other->setFocus(); // straight from the editor
    QCOMPARE(w.grid->log, (QStringList{"lost", "gained", "lost"}));
}

void TestStringGridEditor::destroyingWithOpenEditorIsSafe() {
    auto grid = std::make_unique<ProbeGrid>();
    grid->setOptions(grid->Options() | GridOption::goEditing);
    grid->show();
    grid->ShowEditorChar('x');
    QPointer<InplaceEdit> editor = grid->InplaceEditor();
    QVERIFY(editor);
    grid.reset();
    QVERIFY(editor.isNull());
}

void TestStringGridEditor::sentAtOncePostedAfterTheEvent() {
    Window w;
    stringgrid::postNotification(w.grid, 3024, 1, 2);
    stringgrid::postNotification(w.grid, 3026, 3, 4);
    stringgrid::sendNotification(w.grid, 3027, 5, 6);
    QCOMPARE(w.grid->log, QStringList{"3027(5,6)"});
    QCoreApplication::sendPostedEvents(w.grid);
    QCOMPARE(w.grid->log, (QStringList{"3027(5,6)", "3024(1,2)", "3026(3,4)"}));
    // Posted while a key is handled: runs once the key is done.
    w.grid->log.clear();
    w.grid->setOptions(w.grid->Options() & ~GridOptions(GridOption::goEditing));
    QTest::keyClicks(w.grid, "k");
    QCOMPARE(w.grid->log, QStringList{"typed k"});
    QCoreApplication::sendPostedEvents(w.grid);
    QCOMPARE(w.grid->log, (QStringList{"typed k", "3025(1,1)"}));
}

void TestStringGridEditor::failingNotificationIsShownAndTheNextStillRuns() {
    Window w;
    w.grid->failOnNotification = true;
    stringgrid::postNotification(w.grid, 3025, 1, 1);
    stringgrid::postNotification(w.grid, 3026, 1, 1);
    QCoreApplication::sendPostedEvents(w.grid);
    QCOMPARE(w.grid->log, (QStringList{"3025(1,1)", "3026(1,1)"}));
    QCOMPARE(boxes_, (QStringList{"Notification en échec.", "Notification en échec."}));
}

void TestStringGridEditor::notificationForDestroyedGridIsDropped() {
    auto grid = std::make_unique<ProbeGrid>();
    stringgrid::postNotification(grid.get(), 3024, 0, 0);
    grid.reset();
    QCoreApplication::sendPostedEvents();
    stringgrid::postNotification(nullptr, 3024, 0, 0);
    stringgrid::sendNotification(nullptr, 3024, 0, 0);
}

void TestStringGridEditor::hintHandlerSeesAndChangesTheHint() {
    QWidget button;
    button.setToolTip("Fermer");
    button.resize(40, 40);
    button.show();
    QString seenText;
    stringgrid::HintInfo seen;
    auto previous = stringgrid::setShowHintHandler(
        [&](QString& text, bool& canShow, stringgrid::HintInfo& info) {
            seenText = text;
            seen = info;
            QVERIFY(canShow);
            text = "Fermer la fiche";
            info.HintPos = QPoint(5, 7);
        });
    QVERIFY(!previous);
    sendHelp(&button, QPoint(3, 4));
    QCOMPARE(seenText, "Fermer");
    QCOMPARE(seen.HintControl, &button);
    QCOMPARE(seen.CursorPos, QPoint(3, 4));
    QCOMPARE(seen.HintPos, button.mapToGlobal(QPoint(3, 4)));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), "Fermer la fiche");
    stringgrid::cancelHint();
    QTRY_VERIFY(!QToolTip::isVisible());
    // Installing another hands back this one.
    QVERIFY(stringgrid::setShowHintHandler({}));
}

void TestStringGridEditor::hintOnGridIsForTheGridInItsCoordinates() {
    Window w;
    stringgrid::HintInfo seen;
    stringgrid::setShowHintHandler([&](QString& text, bool&, stringgrid::HintInfo& info) {
        seen = info;
        int col = -1;
        int row = -1;
        w.grid->MouseToCell(w.grid->viewport()->mapFrom(w.grid, info.CursorPos), col, row);
        text = QStringLiteral("cellule %1,%2").arg(col).arg(row);
    });
    const QPoint pos = w.grid->CellRect(2, 1).topLeft() + QPoint(3, 3);
    sendHelp(w.grid->viewport(), pos);
    QCOMPARE(seen.HintControl, w.grid);
    QCOMPARE(seen.CursorPos, w.grid->viewport()->mapTo(w.grid, pos));
    QCOMPARE(QToolTip::text(), "cellule 2,1");
}

void TestStringGridEditor::hintCanBeRefusedOrEmptied_data() {
    QTest::addColumn<bool>("canShow");
    QTest::addColumn<QString>("text");
    QTest::newRow("a refused hint is not shown") << false << "texte";
    QTest::newRow("an empty hint is not shown") << true << "";
}

void TestStringGridEditor::hintCanBeRefusedOrEmptied() {
    QFETCH(bool, canShow);
    QFETCH(QString, text);
    QWidget widget;
    widget.setToolTip("bulle");
    widget.show();
    sendHelp(&widget, QPoint(1, 1)); // no handler: Qt shows the tool tip itself
    QVERIFY(QToolTip::isVisible());
    stringgrid::setShowHintHandler([&](QString& hint, bool& show, stringgrid::HintInfo&) {
        hint = text;
        show = canShow;
    });
    sendHelp(&widget, QPoint(1, 1));
    QTRY_VERIFY(!QToolTip::isVisible());
}

// Shown by the reporter of the grid the hint is for; for another control, only written out.
void TestStringGridEditor::failingHintHandlerIsShown() {
    Window w;
    QWidget widget;
    widget.show();
    stringgrid::setShowHintHandler(
        [](QString&, bool&, stringgrid::HintInfo&) { throw base::Failure("Bulle impossible"); });
    sendHelp(w.grid->viewport(), QPoint(1, 1));
    QCOMPARE(boxes_, QStringList{"Bulle impossible."});
    QTRY_VERIFY(!QToolTip::isVisible());
    QTest::ignoreMessage(QtWarningMsg, "Bulle impossible");
    sendHelp(&widget, QPoint(1, 1));
    QCOMPARE(boxes_, QStringList{"Bulle impossible."});
}

QTEST_MAIN(TestStringGridEditor)
#include "tst_stringgrideditor.moc"
