#include "platform/messagebox.h"

#include "os/windowplacement.h"
#include "platform/apptitle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
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

// A box parented to its owner, which keeps it above that window, but standing at the centre of
// the screen rather than over the owner.
class ScreenCentredBox : public QMessageBox {
public:
    ScreenCentredBox(const BoxRequest& request, QWidget* parent)
        : QMessageBox(qtIcon(request.icon), request.caption, request.text, NoButton, parent) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // sizes the box, then centres it over the parent
        // Shown again by the desktop (restored), it stays where it is; a compositor that places
        // windows itself centres it over its owner.
        if (event->spontaneous() || !os::canPlaceWindows()) {
            return;
        }
        const QScreen* screen =
            parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            QRect placed = geometry();
            placed.moveCenter(screen->availableGeometry().center());
            move(placed.topLeft());
        }
    }
};

// Once a box has closed, the window that was active before it is active again: also when that
// window did not own the box, or when the desktop handed the activation elsewhere.
void reactivate(QWidget* window) {
    if (window == nullptr || !window->isVisible() || QApplication::activeWindow() == window) {
        return;
    }
    // A compositor that places windows also decides which one is active (Qt warns at every
    // request there).
    if (!os::canPlaceWindows()) {
        return;
    }
    window->activateWindow();
}

BoxAnswer execBox(const BoxRequest& request) {
    const QPointer<QWidget> active = QApplication::activeWindow();
    QWidget* owner = request.owner != nullptr ? request.owner->window() : nullptr;
    ScreenCentredBox box(request, owner != nullptr && owner->isVisible() ? owner : nullptr);
    // A field's text quoted in a message must read as typed, even when it looks like markup.
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, BoxAnswer> answers;
    for (BoxAnswer answer : request.buttons) {
        // Every desktop's button order (GNOME puts No before Yes) keeps buttons of one role in
        // the order they were added; the answers are told apart here, not by their roles.
        QPushButton* button = box.addButton(buttonText(answer), QMessageBox::ActionRole);
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
    const BoxAnswer answer = found == answers.end() ? BoxAnswer::Closed : found->second;
    reactivate(active);
    return answer;
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

QWidget* boxOwner() {
    // While a modal window is open, no other window takes input, so it opened the box. The
    // desktop may not have activated it yet (or at all, without a window manager).
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

BoxAnswer showBox(const BoxRequest& request) {
    BoxRequest owned = request;
    if (owned.owner == nullptr) {
        owned.owner = boxOwner();
    }
    if (responder()) {
        return responder()(owned);
    }
    return execBox(owned);
}

void showNotice(const QString& text, QWidget* owner) {
    BoxRequest request;
    request.caption = applicationTitle();
    request.text = text;
    request.icon = BoxIcon::None;
    request.buttons = {BoxAnswer::Ok};
    request.defaultButton = BoxAnswer::Ok;
    request.escapeButton = BoxAnswer::Ok;
    request.owner = owner;
    showBox(request);
}

bool confirmInformation(const QString& text, QWidget* owner) {
    BoxRequest request;
    request.caption = QStringLiteral("Information");
    request.text = text;
    request.icon = BoxIcon::Information;
    request.buttons = {BoxAnswer::Yes, BoxAnswer::No};
    request.defaultButton = BoxAnswer::Yes;
    request.escapeButton = BoxAnswer::No;
    request.owner = owner;
    return showBox(request) == BoxAnswer::Yes;
}

} // namespace platform
