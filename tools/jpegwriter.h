#pragma once
// JPEG encoding with libjpeg, for the drawings and the banner.

#include <QImage>
#include <QString>

namespace tools {

// Writes a 24-bit colour JPEG without chroma subsampling (thin black lines stay sharp).
// False on I/O failure.
bool writeJpeg(const QImage& picture, const QString& path, int quality);

} // namespace tools
