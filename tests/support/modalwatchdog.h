#pragma once
// A guard for tests that expect no box and no modal window. While it lives it answers every box
// (Ok) and closes every modal window, so that the test never waits on one, and it records each
// of them; anything recorded fails the running test, when it is checked or destroyed.

#include "platform/messagebox.h"

#include <QStringList>
#include <QTimer>

namespace testsupport {

class ModalWatchdog {
public:
    ModalWatchdog();
    // Within a test function, fails it if anything appeared since the last check.
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

    // The texts of the boxes and the titles of the modal windows seen since the last check.
    const QStringList& unexpected() const { return unexpected_; }

    // Fails the running test if anything appeared, then starts afresh. For a watchdog that
    // outlives one test function, call it from `cleanup()`.
    void check();

private:
    QStringList unexpected_;
    QTimer poll_;
    platform::BoxResponder previous_;
};

} // namespace testsupport
