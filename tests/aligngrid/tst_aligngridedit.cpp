// Editing in the aligned grid: the order of its editing events, Enter and Escape, typed
// characters, focus loss and regain, and the per-cell hints.

#include "gridfixture.h"
#include "widgets/aligngrid/alignstream.h"
#include "widgets/aligngrid/hintchain.h"
#include "widgets/aligngrid/newinplaceedit.h"
#include "widgets/stringgrid/hinthook.h"

#include <QMouseEvent>

using namespace aligngrid;
using stringgrid::GridOption;

namespace {

QStringList appHintCalls; // what the application's own handler saw, in order

// Dispatches a show-hint event for a point of the grid's viewport, as the application would.
QString hintFor(TStringAlignGrid& grid, QPoint viewportPos, QPoint* hintPos = nullptr,
                QString text = "tooltip") {
    stringgrid::HintInfo info;
    info.HintControl = &grid;
    info.CursorPos = grid.viewport()->mapTo(&grid, viewportPos);
    bool canShow = true;
    stringgrid::showHintHandler()(text, canShow, info);
    if (hintPos)
        *hintPos = info.HintPos;
    return text;
}

void moveMouse(TStringAlignGrid& grid, QPoint viewportPos) {
    QMouseEvent move(QEvent::MouseMove, viewportPos, grid.viewport()->mapToGlobal(viewportPos),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
}

} // namespace

class TestAlignGridEdit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void beforeEditComesAtOnceAfterEditOnceTheKeyIsDone();
    void escapeRestoresTheStartingTextAndCancels();
    void enterThenMovingGivesAfterEditTwice();
    void aTypedLetterOnANonEditableCellGoesToTheKeyPressEvent();
    void aTypedLetterOnAnEditableCellOpensTheEditorWithIt();
    void theEditorTakesTheCellsAlignmentFontAndColour();
    void changingTheEditorsAlignmentSelectsAll();
    void losingFocusEndsTheEditAtOnce();
    void regainingFocusBringsTheAlwaysShownEditorBack();
    void hidingTheWindowEndsTheEditWithItsAfterEdit();
    void aLoadedAlwaysShownEditorBeginsItsEditOnTheFirstFocus();
    void eachGridShowsItsOwnCellHints();
    void aGridWithHintsOffLeavesTheHintAlone();
    void theApplicationsHandlerIsTheOneInPlaceWhenAGridComes();
    void movingToAnotherCellCancelsTheHint();
};

void TestAlignGridEdit::initTestCase() {
    // The application's own hint handler, installed before any grid exists: it is called last.
    stringgrid::setShowHintHandler([](QString& text, bool&, stringgrid::HintInfo& info) {
        appHintCalls << QString("%1 for %2").arg(text, info.HintControl->objectName());
    });
}

void TestAlignGridEdit::beforeEditComesAtOnceAfterEditOnceTheKeyIsDone() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCurrentCell(1, 1);
    w.grid->ShowEditor();
    QVERIFY(w.editorShown());
    QCOMPARE(w.log, QStringList{"before 1,1"});
    QVERIFY(w.grid->Editing());
    w.key(Qt::Key_Down);
    QCOMPARE(w.grid->Row(), 2);
    QCOMPARE(w.log, (QStringList{"before 1,1", "before 1,2"})); // delivered at once
    w.settle();
    QCOMPARE(w.log, (QStringList{"before 1,1", "before 1,2", "after 1,1"})); // posted
    QVERIFY(w.boxes.isEmpty());
}

void TestAlignGridEdit::escapeRestoresTheStartingTextAndCancels() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCells(1, 1, "avant");
    w.grid->setCurrentCell(1, 1);
    w.grid->ShowEditor();
    QTest::keyClicks(w.editor(), "xy");
    w.key(Qt::Key_Backspace);
    QTest::keyClicks(w.editor(), "z");
    QCOMPARE(w.grid->Cells(1, 1), QString("xz"));
    w.key(Qt::Key_Escape);
    QCOMPARE(w.grid->Cells(1, 1), QString("avant"));
    w.settle();
    QCOMPARE(w.log, (QStringList{"before 1,1", "cancel 1,1"}));
    QVERIFY(!w.grid->Editing());
    // The editor stays on the cell with its edit recorded: leaving it later ends that edit.
    QVERIFY(w.editorShown());
    auto* editor = qobject_cast<TNewInplaceEdit*>(w.editor());
    QCOMPARE(editor->EditCol, 1);
    QCOMPARE(editor->EditRow, 1);
    w.key(Qt::Key_Down);
    w.settle();
    QCOMPARE(w.log, (QStringList{"before 1,1", "cancel 1,1", "before 1,2", "after 1,1"}));
}

void TestAlignGridEdit::enterThenMovingGivesAfterEditTwice() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCurrentCell(2, 1);
    w.grid->ShowEditor();
    QTest::keyClicks(w.editor(), "12");
    w.key(Qt::Key_Return);
    w.settle();
    QCOMPARE(w.log, (QStringList{"before 2,1", "after 2,1"}));
    QVERIFY(w.editorShown());
    QCOMPARE(w.grid->Cells(2, 1), QString("12"));
    w.key(Qt::Key_Down);
    w.settle();
    QCOMPARE(w.log, (QStringList{"before 2,1", "after 2,1", "before 2,2", "after 2,1"}));
}

void TestAlignGridEdit::aTypedLetterOnANonEditableCellGoesToTheKeyPressEvent() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->Settings().SetEditCell(1, 1, false);
    w.grid->setCurrentCell(1, 1);
    QString pressed;
    QObject::connect(w.grid, &stringgrid::StringGrid::KeyPressEvent,
                     [&](QChar& key) { pressed += key; });
    QTest::keyClick(w.grid, Qt::Key_A);
    QCOMPARE(pressed, QString("a"));
    QVERIFY(!w.editorShown());
    QVERIFY(!w.grid->EditorMode());
    QCOMPARE(w.grid->Cells(1, 1), QString());
    w.settle();
    QVERIFY(w.log.isEmpty());
}

void TestAlignGridEdit::aTypedLetterOnAnEditableCellOpensTheEditorWithIt() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCells(2, 2, "old");
    w.grid->setCurrentCell(2, 2);
    QTest::keyClick(w.grid, Qt::Key_Q);
    QVERIFY(w.editorShown());
    QCOMPARE(w.grid->Cells(2, 2), QString("q"));
    QCOMPARE(w.log, QStringList{"before 2,2"});
    // Escape gives back the text from before the typed letter.
    w.key(Qt::Key_Escape);
    QCOMPARE(w.grid->Cells(2, 2), QString("old"));
}

void TestAlignGridEdit::theEditorTakesTheCellsAlignmentFontAndColour() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->SetAlignCol(2, alRight);
    TMyFont font;
    font.setHeight(-17);
    font.setColor(0x0000FF);
    w.grid->Settings().SetFontRow(1, font);
    TMyBrush brush;
    brush.setColor(0x00FFFF);
    w.grid->Settings().SetBrushCell(2, 1, brush);
    w.grid->setCurrentCell(2, 1);
    w.grid->ShowEditor();
    auto* editor = qobject_cast<TNewInplaceEdit*>(w.editor());
    QVERIFY(editor);
    QCOMPARE(editor->Alignment(), alRight);
    QVERIFY(editor->QLineEdit::alignment() & Qt::AlignRight);
    QCOMPARE(editor->font().pixelSize(), 17);
    QCOMPARE(editor->palette().color(QPalette::Base), QColor(255, 255, 0));
    QCOMPARE(editor->palette().color(QPalette::Text), QColor(255, 0, 0));
    w.key(Qt::Key_Left); // at the text's start the caret leaves for the cell on the left
    QCOMPARE(w.grid->Col(), 1);
    QCOMPARE(editor->Alignment(), alLeft);
    QVERIFY(editor->QLineEdit::alignment() & Qt::AlignLeft);
}

void TestAlignGridEdit::changingTheEditorsAlignmentSelectsAll() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCells(1, 1, "abc");
    w.grid->setCurrentCell(1, 1);
    w.grid->ShowEditor();
    auto* editor = qobject_cast<TNewInplaceEdit*>(w.editor());
    editor->deselect();
    editor->setAlignment(alCenter);
    QCOMPARE(editor->selectedText(), QString("abc"));
    QVERIFY(editor->QLineEdit::alignment() & Qt::AlignHCenter);
    editor->deselect();
    editor->setAlignment(alCenter); // the same value does nothing
    QVERIFY(!editor->hasSelectedText());
}

void TestAlignGridEdit::losingFocusEndsTheEditAtOnce() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCurrentCell(1, 2);
    w.grid->ShowEditor();
    w.log.clear();
    w.elsewhere->setFocus();
    QCOMPARE(w.log, QStringList{"after 1,2"}); // not posted: at once
    QVERIFY(!w.editorShown());
    QVERIFY(w.grid->EditorWasOpen());
    QVERIFY(!w.grid->Editing());
    w.settle();
    QCOMPARE(w.log, QStringList{"after 1,2"});
    // Without goAlwaysShowEditor the editor does not come back by itself.
    w.grid->setFocus();
    w.settle();
    QVERIFY(!w.editorShown());
}

void TestAlignGridEdit::regainingFocusBringsTheAlwaysShownEditorBack() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setOptions(w.grid->Options() | GridOption::goAlwaysShowEditor);
    w.grid->setCells(1, 1, "abcdef");
    w.grid->setCurrentCell(1, 1);
    w.grid->ShowEditor();
    QVERIFY(w.editorShown());
    w.editor()->setSelection(1, 3);
    w.elsewhere->setFocus();
    QVERIFY(!w.editorShown());
    w.grid->setFocus();
    w.settle();
    QVERIFY(w.editorShown());
    QCOMPARE(w.editor()->selectionStart(), 1);
    QCOMPARE(w.editor()->selectedText(), QString("bcd"));
}

void TestAlignGridEdit::hidingTheWindowEndsTheEditWithItsAfterEdit() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    w.grid->setCurrentCell(1, 2);
    w.grid->ShowEditor();
    w.log.clear();
    w.window->hide();
    w.settle();
    QCOMPARE(w.log, QStringList{"after 1,2"});
    QVERIFY(!w.grid->Editing());
    QVERIFY(w.grid->EditorWasOpen());
    QVERIFY(!w.grid->EditorShown());
    w.window->show(); // the closed editor does not come back with the window
    w.settle();
    QVERIFY(!w.grid->EditorShown());
}

void TestAlignGridEdit::aLoadedAlwaysShownEditorBeginsItsEditOnTheFirstFocus() {
    GridWindow w(4, 4);
    QVERIFY(w.ready());
    TStringAlignGrid source;
    source.setColCount(4);
    source.setRowCount(4);
    source.setOptions(w.grid->Options() | GridOption::goAlwaysShowEditor);
    loadGridForm(*w.grid, writeGridForm(source));
    w.settle();
    QCOMPARE(w.log, QStringList());
    QVERIFY(!w.grid->Editing());
    QVERIFY(!w.grid->EditorShown());
    w.elsewhere->setFocus();
    w.grid->setFocus();
    w.settle();
    QVERIFY(w.grid->EditorShown());
    QCOMPARE(w.log, QStringList{"before 1,1"});
    QVERIFY(w.grid->Editing());
}

void TestAlignGridEdit::eachGridShowsItsOwnCellHints() {
    const std::size_t handlersBefore = hintHandlerCount();
    auto first = std::make_unique<TStringAlignGrid>();
    auto second = std::make_unique<TStringAlignGrid>();
    QCOMPARE(hintHandlerCount(), handlersBefore + 2);
    first->setObjectName("first");
    second->setObjectName("second");
    for (TStringAlignGrid* grid : {first.get(), second.get()}) {
        grid->setColCount(4);
        grid->setRowCount(4);
        grid->resize(300, 150);
        grid->show();
    }
    first->Settings().SetHintCell(1, 1, "Grand Montant");
    second->Settings().SetHintCell(1, 1, "Panneau");

    appHintCalls.clear();
    const QRect cell = first->CellRect(1, 1);
    QPoint hintPos;
    QCOMPARE(hintFor(*first, cell.center(), &hintPos), QString("Grand Montant"));
    QCOMPARE(hintPos, first->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(0, 1 + 6)));
    QCOMPARE(first->HintCol(), 1);
    QCOMPARE(first->HintRow(), 1);
    QCOMPARE(hintFor(*second, second->CellRect(1, 1).center()), QString("Panneau"));
    QCOMPARE(second->HintCol(), 1);
    // A cell without a hint shows none.
    QCOMPARE(hintFor(*first, first->CellRect(2, 2).center()), QString());
    // The application's own handler comes last, after the grids have answered.
    QCOMPARE(appHintCalls,
             (QStringList{"Grand Montant for first", "Panneau for second", " for first"}));

    second.reset();
    QCOMPARE(hintHandlerCount(), handlersBefore + 1);
    QCOMPARE(hintFor(*first, cell.center()), QString("Grand Montant"));
    first.reset();
    QCOMPARE(hintHandlerCount(), handlersBefore);
}

void TestAlignGridEdit::aGridWithHintsOffLeavesTheHintAlone() {
    TStringAlignGrid grid;
    grid.resize(300, 150);
    grid.show();
    grid.Settings().SetHintCell(1, 1, "hint");
    grid.ShowCellHints = false;
    QCOMPARE(hintFor(grid, grid.CellRect(1, 1).center()), QString("tooltip"));
    QCOMPARE(grid.HintCol(), -1);
    // Another control's hint is not touched either.
    QLineEdit other;
    stringgrid::HintInfo info;
    info.HintControl = &other;
    QString text = "own";
    bool canShow = true;
    grid.ShowCellHints = true;
    stringgrid::showHintHandler()(text, canShow, info);
    QCOMPARE(text, QString("own"));
}

void TestAlignGridEdit::theApplicationsHandlerIsTheOneInPlaceWhenAGridComes() {
    const stringgrid::ShowHintHandler before = stringgrid::showHintHandler();
    {
        TStringAlignGrid grid; // a grid before the application changes its handler
    }
    QStringList calls;
    stringgrid::setShowHintHandler(
        [&calls](QString& text, bool&, stringgrid::HintInfo&) { calls << text; });
    {
        TStringAlignGrid grid;
        grid.resize(300, 150);
        grid.show();
        grid.ShowCellHints = false;
        hintFor(grid, grid.CellRect(2, 2).center(), nullptr, "later");
    }
    QCOMPARE(calls, QStringList{"later"});
    stringgrid::setShowHintHandler(before);
}

void TestAlignGridEdit::movingToAnotherCellCancelsTheHint() {
    TStringAlignGrid grid;
    grid.setColCount(4);
    grid.setRowCount(4);
    grid.resize(300, 150);
    grid.show();
    grid.Settings().SetHintCell(1, 1, "one");
    hintFor(grid, grid.CellRect(1, 1).center());
    QCOMPARE(grid.HintCol(), 1);
    moveMouse(grid, grid.CellRect(1, 1).center() + QPoint(2, 1)); // same cell: kept
    QCOMPARE(grid.HintCol(), 1);
    moveMouse(grid, grid.CellRect(2, 1).center());
    QCOMPARE(grid.HintCol(), -1);
    QCOMPARE(grid.HintRow(), -1);
}

QTEST_MAIN(TestAlignGridEdit)
#include "tst_aligngridedit.moc"
