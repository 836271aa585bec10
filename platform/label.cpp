#include "platform/label.h"

#include <QApplication>
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
        setAccessibleName(caption);
    }
    if (!wordWrap()) {
        resize(sizeHint());
    }
}

void Label::setTransparent(bool transparent) {
    setAutoFillBackground(!transparent);
    if (!transparent) {
        QPalette face = palette();
        face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        setPalette(face);
    }
}

void Label::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !wordWrap()) {
        resize(sizeHint());
    }
}

} // namespace platform
