#pragma once
// A shown, focused aligned grid for editing tests, whose editing events are logged, and a guard
// that fails the test on any message box or modal dialog (and never lets one wait for an
// answer).

#include "tests/support/modalwatchdog.h"
#include "widgets/aligngrid/stringaligngrid.h"
#include "widgets/stringgrid/gridoptions.h"
#include "widgets/stringgrid/inplaceedit.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

struct GridWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TStringAlignGrid* grid = new TStringAlignGrid(window.get()); // owned by the window
    QLineEdit* elsewhere = new QLineEdit(window.get());          // takes the focus away
    QStringList log;
    testsupport::ModalWatchdog watchdog;
    const QStringList& boxes = watchdog.unexpected();

    GridWindow(int cols, int rows) {
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(grid);
        layout->addWidget(elsewhere);
        grid->setColCount(cols);
        grid->setRowCount(rows);
        grid->setOptions(stringgrid::defaultGridOptions() | stringgrid::GridOption::goEditing);
        auto logger = [this](const char* what) {
            return [this, what](TStringAlignGrid*, int col, int row) {
                log << QString("%1 %2,%3").arg(what).arg(col).arg(row);
            };
        };
        grid->OnBeforeEdit = logger("before");
        grid->OnAfterEdit = logger("after");
        grid->OnCancelEdit = logger("cancel");
        window->resize(500, 300);
        window->show();
        window->activateWindow();
        grid->setFocus();
    }
    // Closing the window moves the focus: the watchdog, destroyed after, still guards it.
    ~GridWindow() { window.reset(); }

    bool ready() { return QTest::qWaitForWindowActive(window.get()) && grid->hasFocus(); }

    QLineEdit* editor() const { return grid->InplaceEditor(); }
    bool editorShown() const { return editor() && editor()->isVisible(); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = editorShown() ? static_cast<QWidget*>(editor()) : grid;
        QTest::keyClick(target, key, modifiers);
    }
    // Delivers everything posted so far (the grid's end-of-edit notifications).
    static void settle() { QCoreApplication::processEvents(); }
};
