#include "platform/windowplacement.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <QtTest>

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void onlyWaylandPlacesWindowsItself_data();
    void onlyWaylandPlacesWindowsItself();
    void aTransientWindowNamesItsOwner();
};

void TestWindowPlacement::onlyWaylandPlacesWindowsItself_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("programPlaces");
    QTest::newRow("X11") << "xcb" << true;
    QTest::newRow("Wayland") << "wayland" << false;
    QTest::newRow("Wayland through EGL") << "wayland-egl" << false;
    QTest::newRow("no display") << "offscreen" << true;
}

void TestWindowPlacement::onlyWaylandPlacesWindowsItself() {
    QFETCH(QString, platform);
    QFETCH(bool, programPlaces);
    QCOMPARE(platform::platformPlacesWindows(platform), programPlaces);
}

void TestWindowPlacement::aTransientWindowNamesItsOwner() {
    QWidget owner;
    QWidget child;
    owner.show();
    platform::makeTransientFor(child, owner);
    QVERIFY(child.windowHandle() != nullptr);
    QCOMPARE(child.windowHandle()->transientParent(), owner.windowHandle());
    // Showing keeps the link; where the program may place windows, a move is a move.
    child.show();
    QCOMPARE(child.windowHandle()->transientParent(), owner.windowHandle());
    platform::moveWindow(child, QPoint(40, 30));
    QCOMPARE(platform::windowPosition(child), std::optional<QPoint>(QPoint(40, 30)));
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
