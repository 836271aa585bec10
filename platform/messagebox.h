#pragma once
// Modal message boxes. Every box of the program goes through showBox, so that a test can install
// a responder that answers it (and records what was asked) instead of running a modal loop.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class BoxIcon { None, Information, Error };
enum class BoxAnswer { Ok, Yes, No, Closed };

struct BoxRequest {
    QString caption;
    QString text; // shown as plain text, exactly as given, whatever markup it seems to hold
    BoxIcon icon = BoxIcon::None;
    QList<BoxAnswer> buttons; // left to right, under every style and desktop
    BoxAnswer defaultButton = BoxAnswer::Ok;
    BoxAnswer escapeButton = BoxAnswer::Ok; // also the answer of the close box
    // The window that opened the box and owns it: the box stays above it. When the caller
    // names none, showBox takes boxOwner().
    QWidget* owner = nullptr;
};

using BoxResponder = std::function<BoxAnswer(const BoxRequest&)>;

// Installs `responder` (an empty one restores real boxes); returns the previous responder.
BoxResponder setBoxResponder(BoxResponder responder);

// The window a box opened now belongs to: the modal window open, else the active window, else
// none.
QWidget* boxOwner();

// Shows the box modally (or asks the responder, with the owner filled in) and returns the
// answer. The box stands at the centre of its owner's screen; once it has closed, the window that
// was active before is active again.
BoxAnswer showBox(const BoxRequest& request);

// The plain notice: application title as caption, no icon, one "OK" (default and escape).
void showNotice(const QString& text, QWidget* owner = nullptr);

// The confirmation: caption "Information", information icon, "&Oui" (default) and "&Non"
// (escape). True only for "&Oui".
bool confirmInformation(const QString& text, QWidget* owner = nullptr);

// The button text shown for an answer ("OK", "&Oui", "&Non").
QString buttonText(BoxAnswer answer);

} // namespace platform
