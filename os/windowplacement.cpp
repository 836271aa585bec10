#include "os/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace os {

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
