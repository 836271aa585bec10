#include "platform/decimalmark.h"

#include "calc/numbertext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>

namespace platform {

char decimalMarkOf(const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    if (separator.size() == 1 && separator.front().unicode() > u' ' &&
        separator.front().unicode() < 0x7f) {
        return static_cast<char>(separator.front().unicode());
    }
    return '.';
}

DecimalMarkWatcher::DecimalMarkWatcher(QObject* parent) : QObject(parent) {
    refresh();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

void DecimalMarkWatcher::refresh() {
    calc::SetDecimalMark(decimalMarkOf(QLocale::system()));
}

bool DecimalMarkWatcher::eventFilter(QObject* watched, QEvent* event) {
    // The change reaches the application object once, between two events.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
        refresh();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
