#pragma once
// Modal message boxes. Every box of the program goes through showBox, so that a test can install
// a responder that answers it (and records what was asked) instead of running a modal loop.

#include <QList>
#include <QString>
#include <functional>

namespace platform {

enum class BoxIcon { None, Information, Error };
enum class BoxAnswer { Ok, Yes, No, Closed };

struct BoxRequest {
    QString caption;
    QString text;
    BoxIcon icon = BoxIcon::None;
    QList<BoxAnswer> buttons; // left to right
    BoxAnswer defaultButton = BoxAnswer::Ok;
    BoxAnswer escapeButton = BoxAnswer::Ok;
};

using BoxResponder = std::function<BoxAnswer(const BoxRequest&)>;

// Installs `responder` (an empty one restores real boxes); returns the previous responder.
BoxResponder setBoxResponder(BoxResponder responder);

// Shows the box modally (or asks the responder) and returns the answer.
BoxAnswer showBox(const BoxRequest& request);

// The plain notice: application title as caption, no icon, one "OK" (default and escape).
void showNotice(const QString& text);

// The confirmation: caption "Information", information icon, "&Oui" (default) and "&Non"
// (escape). True only for "&Oui".
bool confirmInformation(const QString& text);

// The button text shown for an answer ("OK", "&Oui", "&Non").
QString buttonText(BoxAnswer answer);

} // namespace platform
