#pragma once
// The background colour of an edit field, in every state (enabled or not, focused or not).

#include <QColor>

class QLineEdit;

namespace ui {

void setFieldColour(QLineEdit* edit, const QColor& colour);
QColor fieldColour(const QLineEdit* edit);

} // namespace ui
