#include "os/windowplacement.h"

#include <QTest>

class TestWindowPlacementLinux : public QObject {
    Q_OBJECT

private slots:
    void onlyWaylandPlacesWindowsItself_data();
    void onlyWaylandPlacesWindowsItself();
};

void TestWindowPlacementLinux::onlyWaylandPlacesWindowsItself_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("programPlaces");
    QTest::newRow("X11") << "xcb" << true;
    QTest::newRow("Wayland") << "wayland" << false;
    QTest::newRow("Wayland through EGL") << "wayland-egl" << false;
    QTest::newRow("no display") << "offscreen" << true;
}

void TestWindowPlacementLinux::onlyWaylandPlacesWindowsItself() {
    QFETCH(QString, platform);
    QFETCH(bool, programPlaces);
    QCOMPARE(os::platformPlacesWindows(platform), programPlaces);
}

QTEST_GUILESS_MAIN(TestWindowPlacementLinux)
#include "tst_windowplacementlinux.moc"
