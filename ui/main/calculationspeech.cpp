#include "ui/main/calculationspeech.h"

#include <QLineEdit>

namespace ui {

QString spokenValue(const QWidget& control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        return edit->accessibleName() + QStringLiteral(" : ") + edit->text();
    }
    return control.accessibleName();
}

QString calculationSummary(const QStringList& spokenValues) {
    return QStringLiteral("Calcul fait. ") + spokenValues.join(QStringLiteral(". ")) +
           QLatin1Char('.');
}

} // namespace ui
