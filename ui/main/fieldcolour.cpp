#include "ui/main/fieldcolour.h"

#include <QLineEdit>

namespace ui {

void setFieldColour(QLineEdit* edit, const QColor& colour) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
}

QColor fieldColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Active, QPalette::Base);
}

} // namespace ui
