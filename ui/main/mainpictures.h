#pragma once
// The main window's pictures: the two door drawings.

#include <QPixmap>
#include <QString>

namespace ui {

// Decodes a JPEG picture; one the JPEG decoder refuses raises its failure.
QPixmap loadPicture(const QString& path);

} // namespace ui
