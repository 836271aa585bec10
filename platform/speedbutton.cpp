#include "platform/speedbutton.h"

#include "platform/glyphs.h"

#include <QShortcutEvent>

namespace platform {

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
    setFixedSize(25, 25);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 16));
}

void SpeedButton::setHint(const QString& hint) {
    setToolTip(hint);
    setAccessibleName(hint);
}

void SpeedButton::setGlyph(const QIcon& glyph) {
    setIcon(glyph);
}

void SpeedButton::setKey(const QKeySequence& key) {
    // The button's own shortcut, so that assistive tools also read it as the key of its press
    // action.
    setShortcut(key);
    setAccessibleDescription(
        key.isEmpty()
            ? QString()
            : QStringLiteral("Raccourci clavier : %1").arg(key.toString(QKeySequence::NativeText)));
}

bool SpeedButton::event(QEvent* event) {
    // The key clicks at once, within its own key event, as the mouse does; a button's usual
    // animated click would run the action a tenth of a second later.
    if (event->type() == QEvent::Shortcut) {
        const auto* pressed = static_cast<QShortcutEvent*>(event);
        if (!pressed->isAmbiguous() && pressed->key() == shortcut()) {
            click();
            return true;
        }
    }
    return QToolButton::event(event);
}

SpeedButton* makeSpeedButton(QWidget* parent, const char* name, int left, const QString& hint,
                             const QString& glyphPath, int pictures) {
    auto* button = new SpeedButton(parent);
    button->setObjectName(QLatin1String(name));
    button->move(left, 4);
    button->setHint(hint);
    button->setGlyph(loadGlyph(glyphPath, pictures));
    return button;
}

} // namespace platform
