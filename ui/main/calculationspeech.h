#pragma once
// What a screen reader hears of a calculation: each value it wrote, with what that value
// measures, spoken at once by the window's announcer.

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// A result as heard: a result label's name (its meaning around the number) or a computed
// field's name followed by its text ("Angle (degrés) : 50").
QString spokenValue(const QWidget& control);

// The words after a calculation: the values in the order it wrote them.
QString calculationSummary(const QStringList& spokenValues);

} // namespace ui
