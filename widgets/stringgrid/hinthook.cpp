#include "widgets/stringgrid/hinthook.h"

#include "widgets/stringgrid/stringgrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <exception>
#include <utility>

namespace stringgrid {

namespace {

// The control a tooltip event stands for: a scroll area's viewport speaks for the scroll area.
QWidget* hintControlOf(QWidget* widget) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget->parentWidget());
        area && area->viewport() == widget)
        return area;
    return widget;
}

// Qt gives a tooltip event to the widget under the mouse, and only an event filter on the
// application sees them all: the hook is one per application, as the show-hint event it stands
// for. It is a child of the application object, which owns it, and holds the handler, so nothing
// of it outlives the application.
class HintFilter : public QObject {
public:
    static constexpr QLatin1StringView kName{"stringgrid::HintFilter"};

    explicit HintFilter(QCoreApplication* application) : QObject(application) {
        setObjectName(kName);
        application->installEventFilter(this);
    }

    // The application's hook; made at the first call that asks `create`.
    static HintFilter* of(bool create) {
        QCoreApplication* application = QCoreApplication::instance();
        if (application == nullptr)
            return nullptr;
        auto* filter = dynamic_cast<HintFilter*>(
            application->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
        if (filter == nullptr && create)
            filter = new HintFilter(application);
        return filter;
    }

    ShowHintHandler handler;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        const ShowHintHandler current = handler; // may replace itself
        if (!current)
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
            current(text, canShow, info);
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

} // namespace

ShowHintHandler setShowHintHandler(ShowHintHandler handler) {
    HintFilter* filter = HintFilter::of(true);
    if (filter == nullptr)
        return {};
    return std::exchange(filter->handler, std::move(handler));
}

ShowHintHandler showHintHandler() {
    const HintFilter* filter = HintFilter::of(false);
    return filter != nullptr ? filter->handler : ShowHintHandler();
}

void cancelHint() {
    QToolTip::hideText();
}

} // namespace stringgrid
