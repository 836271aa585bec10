#pragma once
// What assistive tools see of our own controls where Qt's choice does not serve: a button bar
// shown as a tool bar, an announcer whose words a screen reader speaks at once, and every line
// edit through LineEditAccessible.

#include <QFrame>

namespace platform {

// Registers, once, the interfaces below with Qt; every ButtonBar and Announcer does it itself,
// start-up does it before the first line edit is made.
void installAccessibility();

// A raised panel holding a window's buttons. Qt shows a QFrame as a frame, the role of a
// top-level window, and a screen reader that takes the bar for the focused button's window
// stays silent about the button; the bar is a tool bar instead.
class ButtonBar : public QFrame {
    Q_OBJECT

public:
    explicit ButtonBar(QWidget* parent = nullptr);
};

// An invisible notification inside a window: announce() makes a screen reader speak the words
// at once, wherever the focus is, without moving it (Orca speaks a notification as it comes).
// It takes no room and no focus, and keeps its last words for a tool that reads the window.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent = nullptr);

    void announce(const QString& words);
    QString lastWords() const { return accessibleName(); }
};

} // namespace platform
