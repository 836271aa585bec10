#pragma once
// The key-press hook of a line edit: every character typed into the edit goes through a handler
// before the edit sees it. The handler may change the character; BEL (7) drops it.

#include <QObject>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace platform {

// The character a key press types, as a classic edit control receives it: the text of the key,
// the control characters of Ctrl+letter (Ctrl+V is 22), Enter 13, Escape 27, Backspace 8.
// Another key bound to paste, cut, copy, undo or redo (Shift+Insert) gives the character of
// that command's Ctrl+letter, so no key edits the text behind the filter's back. 0 for keys that
// type nothing (arrows, Delete, Home, function keys) and for Tab, which moves the focus.
char16_t typedCharacter(const QKeyEvent& event);

inline constexpr char16_t kDroppedKey = 7;

using KeyPressHandler = std::function<void(QObject* sender, char16_t& key)>;

// Runs `handler` for each character typed into `edit`. Installed as an event filter owned by
// the edit. Input methods are switched off on the edit so that every character comes as a key.
class KeyPressHook : public QObject {
    Q_OBJECT

public:
    static KeyPressHook* install(QLineEdit* edit, KeyPressHandler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyPressHook(QLineEdit* edit, KeyPressHandler handler);

    QLineEdit* edit_;
    KeyPressHandler handler_;
    bool resending_ = false;
};

} // namespace platform
