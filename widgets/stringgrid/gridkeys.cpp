#include "widgets/stringgrid/gridkeys.h"

#include "platform/keyfilter.h"

#include <QKeyEvent>

namespace stringgrid {

QChar gridKeyCharacter(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {};
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const char16_t typed = platform::typedCharacter(event);
    return typed >= 32 ? QChar(typed) : QChar();
}

bool tabMovesBetweenCells(const QKeyEvent& event, GridOptions options) {
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
           (options & GridOption::goTabs) && !(options & GridOption::goRowSelect);
}

} // namespace stringgrid
