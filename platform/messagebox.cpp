#include "platform/messagebox.h"

#include "platform/apptitle.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <map>
#include <utility>

namespace platform {
namespace {

BoxResponder& responder() {
    static BoxResponder installed;
    return installed;
}

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole role(BoxAnswer answer) {
    switch (answer) {
    case BoxAnswer::Yes:
        return QMessageBox::YesRole;
    case BoxAnswer::No:
        return QMessageBox::NoRole;
    default:
        return QMessageBox::AcceptRole;
    }
}

} // namespace

QString buttonText(BoxAnswer answer) {
    switch (answer) {
    case BoxAnswer::Yes:
        return QStringLiteral("&Oui");
    case BoxAnswer::No:
        return QStringLiteral("&Non");
    default:
        return QStringLiteral("OK");
    }
}

BoxResponder setBoxResponder(BoxResponder next) {
    return std::exchange(responder(), std::move(next));
}

BoxAnswer showBox(const BoxRequest& request) {
    if (responder()) {
        return responder()(request);
    }
    QMessageBox box(qtIcon(request.icon), request.caption, request.text);
    std::map<QAbstractButton*, BoxAnswer> answers;
    for (BoxAnswer answer : request.buttons) {
        QPushButton* button = box.addButton(buttonText(answer), role(answer));
        answers[button] = answer;
        if (answer == request.defaultButton) {
            box.setDefaultButton(button);
        }
        if (answer == request.escapeButton) {
            box.setEscapeButton(button);
        }
    }
    box.exec();
    const auto found = answers.find(box.clickedButton());
    return found == answers.end() ? BoxAnswer::Closed : found->second;
}

void showNotice(const QString& text) {
    BoxRequest request;
    request.caption = applicationTitle();
    request.text = text;
    request.icon = BoxIcon::None;
    request.buttons = {BoxAnswer::Ok};
    request.defaultButton = BoxAnswer::Ok;
    request.escapeButton = BoxAnswer::Ok;
    showBox(request);
}

bool confirmInformation(const QString& text) {
    BoxRequest request;
    request.caption = QStringLiteral("Information");
    request.text = text;
    request.icon = BoxIcon::Information;
    request.buttons = {BoxAnswer::Yes, BoxAnswer::No};
    request.defaultButton = BoxAnswer::Yes;
    request.escapeButton = BoxAnswer::No;
    return showBox(request) == BoxAnswer::Yes;
}

} // namespace platform
