#include "platform/picturebox.h"

#include "platform/jpegdecoder.h"
#include "platform/picturescale.h"
#include "platform/showfailure.h"

#include <QEvent>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QString& path) {
    path_ = path;
    decoded_ = false;
    clear();
    if (isVisible())
        loadForScreen();
}

QSize PictureBox::pictureSize() const {
    if (!decoded_ && !path_.isEmpty())
        return jpegResourceSize(path_);
    return pixmap().deviceIndependentSize().toSize();
}

void PictureBox::loadForScreen() {
    if (path_.isEmpty())
        return;
    decoded_ = true; // a refused picture is not tried again at every showing
    setPixmap(loadJpegPicture(path_, devicePixelRatioF()));
}

bool PictureBox::event(QEvent* event) {
    if (event->type() == QEvent::Show && !decoded_)
        guarded([this] { loadForScreen(); });
    const bool handled = QLabel::event(event);
    // Qt's notice to every widget of a window that moved to another screen.
    if (event->type() == QEvent::ScreenChangeInternal && decoded_ && !path_.isEmpty() &&
        !qFuzzyCompare(pixmap().devicePixelRatio(), devicePixelRatioF())) {
        guarded([this] { loadForScreen(); });
    }
    return handled;
}

} // namespace platform
