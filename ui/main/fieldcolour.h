#pragma once
// The colours of an edit field: its background, given as a platform colour value (a system
// colour follows the desktop theme), and a text colour that is legible on it in every state.

#include <QColor>
#include <QPalette>
#include <QtGlobal>

class QLineEdit;

namespace ui {

// The designed backgrounds that are not system colours, as 0x00BBGGRR.
inline constexpr quint32 clYellow = 0x0000FFFF;
inline constexpr quint32 clAqua = 0x00FFFF00;

// Gives the field the background `value` and, for every state, the theme's text colour where it
// is legible on that background; where it is not, a legible one (black or white while the field
// is enabled, the nearest legible shade of the theme's dimmed text while it is disabled).
void setFieldColour(QLineEdit* edit, quint32 value);

// Applies the field's colour value again, after the desktop's palette has changed.
void refreshFieldColour(QLineEdit* edit);

// The background and the text colour the field shows in a state.
QColor fieldColour(const QLineEdit* edit);
QColor fieldTextColour(const QLineEdit* edit, QPalette::ColorGroup group = QPalette::Active);

} // namespace ui
