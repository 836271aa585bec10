#include "platform/speedbutton.h"

#include "platform/glyphs.h"
#include "platform/ownedchild.h"

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

SpeedButton* makeSpeedButton(QWidget* parent, const char* name, int left, const QString& hint,
                             const QString& glyphPath, int pictures) {
    auto* button = makeChild<SpeedButton>(parent);
    button->setObjectName(QLatin1String(name));
    button->move(left, 4);
    button->setHint(hint);
    button->setGlyph(loadGlyph(glyphPath, pictures));
    return button;
}

} // namespace platform
