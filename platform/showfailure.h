#pragma once
// The application's display of a failure that escapes an event handler, and the guard through
// which every event handler runs its body.

#include "base/failure.h"

#include <QString>
#include <exception>
#include <utility>

namespace platform {

// The error box's text: the message with a full stop added when its last character sorts after
// '.' (letters, digits, ':' ...); a message ending in '.', '!', ')' or a quote is kept as is.
QString failureBoxText(const QString& message);

// Ends any mouse capture, then shows the error box: failureBoxText, the application's title as
// caption, stop icon, one OK button. Returns when the box is closed.
void ShowFailure(const QString& message);
void ShowFailure(const std::exception& failure);

// Runs an event handler's body; a failure it raises is shown by ShowFailure and the program goes
// on. Qt forbids exceptions through its own frames, so every handler goes through here.
template <typename Body> void guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& failure) {
        ShowFailure(failure);
    }
}

} // namespace platform
