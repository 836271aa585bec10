#include "platform/label.h"

#include <QEvent>

namespace platform {

Label::Label(const QString& caption, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransparent(false);
    setCaption(caption);
}

void Label::setCaption(const QString& caption) {
    setText(caption);
    if (nameFollowsCaption_) {
        setAccessibleName(spokenForm_.isEmpty() ? caption : spokenForm_.arg(caption));
    }
    if (!wordWrap()) {
        resize(sizeHint());
    }
}

void Label::setSpokenForm(const QString& form) {
    spokenForm_ = form;
    setCaption(Caption());
}

void Label::setTransparent(bool transparent) {
    setAutoFillBackground(!transparent);
    // By role, so that the patch and its text (the theme's button text) follow a theme change.
    if (!transparent) {
        setBackgroundRole(QPalette::Button);
    }
}

void Label::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !wordWrap()) {
        resize(sizeHint());
    }
}

} // namespace platform
