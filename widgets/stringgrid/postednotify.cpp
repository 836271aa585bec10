#include "widgets/stringgrid/postednotify.h"

#include <QCoreApplication>

namespace stringgrid {

GridNotifyEvent::GridNotifyEvent(int id, int col, int row)
    : QEvent(eventType()), id_(id), col_(col), row_(row) {}

QEvent::Type GridNotifyEvent::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void postNotification(QObject* target, int id, int col, int row) {
    if (target) {
        // The event queue takes it.
        QCoreApplication::postEvent(target, new GridNotifyEvent(id, col, row));
    }
}

void sendNotification(QObject* target, int id, int col, int row) {
    if (!target)
        return;
    GridNotifyEvent event(id, col, row);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace stringgrid
