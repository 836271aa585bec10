#pragma once
// Where the program's windows open. Where the system lets a program place its windows, it
// centres them on the screen, over their owner, back where the user left them; elsewhere (a
// Wayland compositor places every window on its own and ignores such requests) they are left to
// it. Either way each window is transient for the window that opens it, which is what lets a
// compositor centre a dialog over its owner and keep it above. Which systems let a program place
// its windows is each system's own (os/<system>/windowplacement.cpp).

#include <QPoint>
#include <QStringView>
#include <optional>

class QWidget;

namespace os {

// Whether a windowing platform (Qt's platform name: "xcb", "wayland", "windows",
// "offscreen"...) lets a program move its top-level windows on this system.
bool platformPlacesWindows(QStringView platformName);

// The same for the platform this application runs on.
bool canPlaceWindows();

// Centres the window's frame on the available area of its screen, where the program may.
void centreOnScreen(QWidget& window);

// Centres the window's frame over the frame of `owner`'s window, where the program may. A window
// not yet shown may not know its frame (X11 learns it from the window manager once the window is
// mapped): it is then taken to be framed as its owner is.
void centreOver(QWidget& window, const QWidget& owner);

// Moves the window's top-left corner (frame included) to `topLeft`, where the program may.
void moveWindow(QWidget& window, QPoint topLeft);

// Where the window stands now, where that means something (nothing where the program does not
// learn where its windows are).
std::optional<QPoint> windowPosition(const QWidget& window);

// Makes `window` (a top-level window not yet shown) transient for the window of `owner`.
void makeTransientFor(QWidget& window, QWidget& owner);

} // namespace os
