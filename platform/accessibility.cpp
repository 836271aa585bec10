#include "platform/accessibility.h"

#include "platform/lineeditaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace platform {

namespace {

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    // Qt's interface cache takes each of them.
    if (className == QLatin1String("platform::ButtonBar")) {
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    }
    if (className == QLatin1String("platform::Announcer")) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
    }
    // A spin box's own line edit is part of the spin box's interface, as Qt has it.
    if (className == QLatin1String("QLineEdit") &&
        object->objectName() != QLatin1String("qt_spinbox_lineedit")) {
        return new LineEditAccessible(static_cast<QLineEdit*>(widget));
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    // Qt keeps its factories for the whole process and asks the last one installed first.
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(factory);
        installed = true;
    }
}

ButtonBar::ButtonBar(QWidget* parent) : QFrame(parent) {
    installAccessibility();
    setFrameStyle(QFrame::Panel | QFrame::Raised);
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibility();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

// A tool hears a notification when it appears: the words change while it is hidden.
void Announcer::announce(const QString& words) {
    hide();
    setAccessibleName(words);
    show();
}

} // namespace platform
