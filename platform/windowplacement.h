#pragma once
// Where the program's windows open. On X11 the program places them itself (centred on the
// screen, over their owner, back where the user left them); a Wayland compositor places every
// window on its own and ignores such requests, so there they are left to it. Either way each
// window is transient for the window that opens it, which is what lets a compositor centre a
// dialog over its owner and keep it above.

#include <QPoint>
#include <QStringView>
#include <optional>

class QWidget;

namespace platform {

// Whether a windowing platform (Qt's platform name: "xcb", "wayland", "wayland-egl",
// "offscreen"...) lets a program move its top-level windows: all but Wayland's.
bool platformPlacesWindows(QStringView platformName);

// The same for the platform this application runs on.
bool canPlaceWindows();

// Centres the window's frame on the available area of its screen, where the program may.
void centreOnScreen(QWidget& window);

// Moves the window's top-left corner (frame included) to `topLeft`, where the program may.
void moveWindow(QWidget& window, QPoint topLeft);

// Where the window stands now, where that means something (nothing under Wayland, where a
// program does not learn where its windows are).
std::optional<QPoint> windowPosition(const QWidget& window);

// Makes `window` (a top-level window not yet shown) transient for the window of `owner`.
void makeTransientFor(QWidget& window, QWidget& owner);

} // namespace platform
