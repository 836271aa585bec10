#pragma once
// Watching an X display from outside the program under test: is a window on it showing a
// painted picture yet (more than one colour)?

#include <string>
#include <xcb/xcb.h>

namespace bench {

class XWatch {
public:
    // Connects to `display` (an X display name such as ":99"); throws std::runtime_error.
    explicit XWatch(const std::string& display);
    ~XWatch();
    XWatch(const XWatch&) = delete;
    XWatch& operator=(const XWatch&) = delete;

    // True when a viewable top-level window of at least 100 x 100 pixels shows more than one
    // colour along three rows and one column through it: its first real paint has reached
    // the screen. Cheap enough to ask every millisecond.
    bool paintedWindowShown();

private:
    bool showsSeveralColours(xcb_window_t window, int width, int height);
    bool lineHasSeveralColours(xcb_window_t window, int x, int y, int width, int height);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

} // namespace bench
