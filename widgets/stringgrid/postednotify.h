#pragma once
// Private notifications a widget posts or sends to a grid, carrying (id, col, row). A posted one
// is handled after the event being processed, in the order posted; a sent one at once. The
// grid hands them to its PostedNotification hook.

#include <QEvent>

class QObject;

namespace stringgrid {

// The first number free for a program's own notifications; ids are counted from it.
inline constexpr int firstUserNotification = 1024;

class GridNotifyEvent : public QEvent {
public:
    GridNotifyEvent(int id, int col, int row);
    static QEvent::Type eventType(); // registered once per process
    int id() const { return id_; }
    int col() const { return col_; }
    int row() const { return row_; }

private:
    int id_;
    int col_;
    int row_;
};

// Queues the notification for `target` (handled after the current event).
void postNotification(QObject* target, int id, int col, int row);
// Delivers the notification to `target` at once.
void sendNotification(QObject* target, int id, int col, int row);

} // namespace stringgrid
