#include "ui/main/mainpictures.h"

#include "platform/jpegdecoder.h"

namespace ui {

QPixmap loadPicture(const QString& path) {
    return QPixmap::fromImage(platform::loadJpegResource(path));
}

} // namespace ui
