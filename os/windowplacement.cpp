#include "os/windowplacement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace os {

namespace {

QMargins frameMargins(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

bool canPlaceWindows() {
    return platformPlacesWindows(QGuiApplication::platformName());
}

void centreOnScreen(QWidget& window) {
    if (!canPlaceWindows())
        return;
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

// Not QDialog's own placement: it guesses the frame from the first visible window's, and when
// that frame has no left border (Wine's) or a wide one (Windows at 150 %) it takes a fixed
// 10 x 40 instead, which left the cutting list 10 px left of and 17 px above the centre.
void centreOver(QWidget& window, const QWidget& owner) {
    if (!canPlaceWindows())
        return;
    const QWidget& ownerWindow = *owner.window();
    QMargins frame = frameMargins(window);
    if (frame.isNull())
        frame = frameMargins(ownerWindow);
    QRect placed = window.geometry().marginsAdded(frame);
    placed.moveCenter(ownerWindow.frameGeometry().center());
    window.move(placed.topLeft());
}

void moveWindow(QWidget& window, QPoint topLeft) {
    if (canPlaceWindows())
        window.move(topLeft);
}

std::optional<QPoint> windowPosition(const QWidget& window) {
    if (!canPlaceWindows())
        return std::nullopt;
    return window.pos();
}

void makeTransientFor(QWidget& window, QWidget& owner) {
    QWidget* ownerWindow = owner.window();
    // Both need their platform windows for the link; creating them does not show them.
    ownerWindow->winId();
    window.winId();
    if (window.windowHandle() != nullptr)
        window.windowHandle()->setTransientParent(ownerWindow->windowHandle());
}

} // namespace os
