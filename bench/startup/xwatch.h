#pragma once
// Watching an X display from outside the program under test: is a window on it showing a
// painted picture yet (more than one colour)?
//
// The screen is only looked at after the X server reports that something on it changed (a
// drawing, through the Damage extension, or a window mapped or unmapped), so that watching costs
// the server nothing while the program under test starts: a watcher that read pixels on a timer
// would compete with it for the server and for the two cores.

#include <chrono>
#include <string>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace bench {

class XWatch {
public:
    // Connects to `display` (an X display name such as ":99"); throws std::runtime_error, also
    // when the server lacks the Damage extension.
    explicit XWatch(const std::string& display);
    ~XWatch();
    XWatch(const XWatch&) = delete;
    XWatch& operator=(const XWatch&) = delete;

    // True when a viewable top-level window of at least 100 x 100 pixels shows more than one
    // colour along three rows and one column through it: its first real paint has reached
    // the screen. The pixels are read again only when the screen changed since the last answer.
    bool paintedWindowShown();

    // Sleeps until the server reports a change on the screen, or for at most `timeout`.
    void waitForChange(std::chrono::microseconds timeout);

private:
    bool takeChanges();
    bool scan();
    bool showsSeveralColours(xcb_window_t window, int width, int height);
    bool lineHasSeveralColours(xcb_window_t window, int x, int y, int width, int height);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_damage_damage_t damage_ = 0;
    uint8_t damageNotify_ = 0;  // the event code of a damage report on this server
    bool shown_ = false;        // the answer of the last scan
    bool pendingChange_ = true; // a change was reported and not scanned yet
};

} // namespace bench
