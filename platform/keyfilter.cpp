#include "platform/keyfilter.h"

#include "platform/showfailure.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <optional>
#include <utility>

namespace platform {
namespace {

char16_t controlCharacterOfKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    }
    switch (key) {
    case Qt::Key_BracketLeft:
        return 27;
    case Qt::Key_Backslash:
        return 28;
    case Qt::Key_BracketRight:
        return 29;
    default:
        return 0;
    }
}

// Edit commands that desktops also bind to keys typing nothing (Shift+Insert pastes, Shift+Delete
// cuts, Alt+Backspace undoes): each gives the control character of its Ctrl+letter key, so a
// filter judges the command alike whichever key gives it.
char16_t editCommandCharacter(const QKeyEvent& event) {
    static constexpr std::pair<QKeySequence::StandardKey, char16_t> kCommands[] = {
        {QKeySequence::Paste, 22}, {QKeySequence::Cut, 24},  {QKeySequence::Copy, 3},
        {QKeySequence::Undo, 26},  {QKeySequence::Redo, 25},
    };
    for (const auto& [command, character] : kCommands) {
        if (event.matches(command)) {
            return character;
        }
    }
    return 0;
}

} // namespace

char16_t typedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    if (key >= Qt::Key_Escape) {
        if (const char16_t command = editCommandCharacter(event)) {
            return command;
        }
        // Keys outside the character range type nothing, whatever text the system attaches
        // (X11 gives Delete the text DEL), except these four.
        switch (key) {
        case Qt::Key_Backspace:
            return control ? 127 : 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return control ? 10 : 13;
        case Qt::Key_Escape:
            return 27;
        default:
            return 0;
        }
    }
    if (control) {
        if (const char16_t c = controlCharacterOfKey(key)) {
            return c;
        }
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return 0;
    }
    const char16_t c = text.front().unicode();
    if (control && ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) {
        return static_cast<char16_t>(c & 0x1f);
    }
    return c;
}

KeyPressHook::KeyPressHook(QLineEdit* edit, KeyPressHandler handler)
    : QObject(edit), edit_(edit), handler_(std::move(handler)) {}

KeyPressHook* KeyPressHook::install(QLineEdit* edit, KeyPressHandler handler) {
    // Owned by the edit, its Qt parent.
    auto* hook = new KeyPressHook(edit, std::move(handler));
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(hook);
    return hook;
}

bool KeyPressHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || event->type() != QEvent::KeyPress || resending_) {
        return QObject::eventFilter(watched, event);
    }
    const auto& press = static_cast<const QKeyEvent&>(*event);
    const char16_t typed = typedCharacter(press);
    if (typed == 0) {
        return false;
    }
    // Empty when the handler raised: the key is then dropped, like a rejected one.
    std::optional<char16_t> kept;
    guarded([&] {
        char16_t key = typed;
        handler_(edit_, key);
        kept = key;
    });
    if (!kept || *kept == kDroppedKey) {
        return true;
    }
    const char16_t key = *kept;
    if (key == typed) {
        return false;
    }
    // The handler put another character in place of the typed one: the edit gets that instead.
    QKeyEvent replaced(QEvent::KeyPress, 0, press.modifiers() & ~Qt::ControlModifier,
                       QString(QChar(key)));
    resending_ = true;
    QCoreApplication::sendEvent(edit_, &replaced);
    resending_ = false;
    return true;
}

} // namespace platform
