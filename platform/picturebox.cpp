#include "platform/picturebox.h"

#include "platform/picturescale.h"
#include "platform/showfailure.h"

#include <QEvent>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QString& path) {
    path_ = path;
    clear();
    loadForScreen();
}

QSize PictureBox::pictureSize() const {
    return pixmap().deviceIndependentSize().toSize();
}

void PictureBox::loadForScreen() {
    if (!path_.isEmpty())
        setPixmap(loadJpegPicture(path_, devicePixelRatioF()));
}

bool PictureBox::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    // Qt's notice to every widget of a window that moved to another screen.
    if (event->type() == QEvent::ScreenChangeInternal && !path_.isEmpty() &&
        !qFuzzyCompare(pixmap().devicePixelRatio(), devicePixelRatioF())) {
        guarded([this] { loadForScreen(); });
    }
    return handled;
}

} // namespace platform
