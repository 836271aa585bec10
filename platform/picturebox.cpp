#include "platform/picturebox.h"

#include "platform/jpegdecoder.h"
#include "platform/picturescale.h"
#include "platform/showfailure.h"

#include <QEvent>
#include <utility>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QString& path) {
    path_ = path;
    decoded_ = false;
    ahead_ = {}; // waits for a decoding of the previous picture, which nobody will show
    clear();
    if (isVisible())
        loadForScreen();
}

QSize PictureBox::pictureSize() const {
    if (!decoded_ && !path_.isEmpty())
        return jpegResourceSize(path_);
    return pixmap().deviceIndependentSize().toSize();
}

void PictureBox::decodeAhead() {
    if (path_.isEmpty() || decoded_ || ahead_.valid())
        return;
    ahead_ = std::async(std::launch::async, [path = path_, ratio = devicePixelRatioF()] {
        return loadStoredJpeg(path, ratio);
    });
}

void PictureBox::loadForScreen() {
    if (path_.isEmpty())
        return;
    decoded_ = true; // a refused picture is not tried again at every showing
    const qreal ratio = devicePixelRatioF();
    StoredPicture picture;
    if (ahead_.valid())
        picture = ahead_.get(); // raises the decoder's failure, if any
    if (picture.image.isNull() || picture.scale != storedScaleFor(ratio))
        picture = loadStoredJpeg(path_, ratio);
    setPixmap(pixmapForRatio(std::move(picture.image), picture.scale, ratio));
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
