#include "os/windowplacement.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void aTransientWindowNamesItsOwner();
};

void TestWindowPlacement::aTransientWindowNamesItsOwner() {
    QWidget owner;
    QWidget child;
    owner.show();
    os::makeTransientFor(child, owner);
    QVERIFY(child.windowHandle() != nullptr);
    QCOMPARE(child.windowHandle()->transientParent(), owner.windowHandle());
    // Showing keeps the link; where the program may place windows, a move is a move.
    child.show();
    QCOMPARE(child.windowHandle()->transientParent(), owner.windowHandle());
    os::moveWindow(child, QPoint(40, 30));
    if (os::canPlaceWindows()) {
        QCOMPARE(os::windowPosition(child), std::optional<QPoint>(QPoint(40, 30)));
    } else {
        QCOMPARE(os::windowPosition(child), std::nullopt);
    }
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
