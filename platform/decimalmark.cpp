#include "platform/decimalmark.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>

namespace platform {

DecimalMarkWatcher* DecimalMarkWatcher::installed_ = nullptr;

char decimalMarkOf(const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    if (separator.size() == 1 && separator.front().unicode() > u' ' &&
        separator.front().unicode() < 0x7f) {
        return static_cast<char>(separator.front().unicode());
    }
    return '.';
}

char decimalMark() {
    return DecimalMarkWatcher::installed_ ? DecimalMarkWatcher::installed_->mark() : '.';
}

DecimalMarkWatcher::DecimalMarkWatcher(QObject* parent) : QObject(parent), previous_(installed_) {
    installed_ = this;
    refresh();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

DecimalMarkWatcher::~DecimalMarkWatcher() {
    // Watchers may end in any order: unlink this one wherever it stands.
    for (DecimalMarkWatcher** link = &installed_; *link != nullptr; link = &(*link)->previous_) {
        if (*link == this) {
            *link = previous_;
            break;
        }
    }
}

void DecimalMarkWatcher::refresh() {
    mark_ = decimalMarkOf(QLocale::system());
}

bool DecimalMarkWatcher::eventFilter(QObject* watched, QEvent* event) {
    // The change reaches the application object once, between two events.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
        refresh();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
