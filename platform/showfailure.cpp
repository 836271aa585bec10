#include "platform/showfailure.h"

#include "platform/apptitle.h"
#include "platform/messagebox.h"

#include <QWidget>

namespace platform {

QString failureBoxText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + QLatin1Char('.');
    }
    return message;
}

void ShowFailure(const QString& message) {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    BoxRequest request;
    request.caption = applicationTitle();
    request.text = failureBoxText(message);
    request.icon = BoxIcon::Error;
    request.buttons = {BoxAnswer::Ok};
    request.defaultButton = BoxAnswer::Ok;
    request.escapeButton = BoxAnswer::Ok;
    showBox(request);
}

void ShowFailure(const std::exception& failure) {
    ShowFailure(QString::fromUtf8(failure.what()));
}

} // namespace platform
