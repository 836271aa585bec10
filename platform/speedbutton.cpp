#include "platform/speedbutton.h"

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

} // namespace platform
