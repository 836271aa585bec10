#pragma once
// 16-colour (4 bits per pixel) Windows bitmaps, the format of the button pictures.

#include <QImage>
#include <QString>

namespace tools {

// Writes an indexed picture whose colour table has at most 16 entries. False on I/O failure.
bool writeBmp4(const QImage& picture, const QString& path);

} // namespace tools
