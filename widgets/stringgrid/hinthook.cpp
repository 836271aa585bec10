#include "widgets/stringgrid/hinthook.h"

#include "widgets/stringgrid/stringgrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>
#include <exception>

namespace stringgrid {

namespace {

ShowHintHandler& installedHandler() {
    static ShowHintHandler handler;
    return handler;
}

// The control a tooltip event stands for: a scroll area's viewport speaks for the scroll area.
QWidget* hintControlOf(QWidget* widget) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget->parentWidget());
        area && area->viewport() == widget)
        return area;
    return widget;
}

class HintFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        const ShowHintHandler handler = installedHandler(); // may replace itself
        if (!handler)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* help = static_cast<QHelpEvent*>(event);
        HintInfo info;
        info.HintControl = hintControlOf(widget);
        info.CursorPos = widget->mapTo(info.HintControl, help->pos());
        info.HintPos = help->globalPos();
        QString text = info.HintControl->toolTip();
        bool canShow = true;
        // Qt's frames let no exception through: a failure goes to the grid the hint is for.
        try {
            handler(text, canShow, info);
        } catch (const std::exception& failure) {
            if (auto* grid = qobject_cast<StringGrid*>(info.HintControl))
                grid->reportFailure(failure);
            else
                qWarning("%s", failure.what());
        }
        if (canShow && !text.isEmpty())
            QToolTip::showText(info.HintPos, text, info.HintControl);
        else
            QToolTip::hideText();
        return true;
    }
};

void installFilterOnce() {
    static QPointer<HintFilter> filter; // owned by the application object
    if (filter || !QCoreApplication::instance())
        return;
    filter = new HintFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

} // namespace

ShowHintHandler setShowHintHandler(ShowHintHandler handler) {
    installFilterOnce();
    ShowHintHandler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

ShowHintHandler showHintHandler() {
    return installedHandler();
}

void cancelHint() {
    QToolTip::hideText();
}

} // namespace stringgrid
