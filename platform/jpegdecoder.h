#pragma once
// Decoding of the program's JPEG pictures with libjpeg, into 32-bit colour ready for the screen.

#include "base/failure.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// A picture the JPEG library refused: "Erreur JPEG #<n>", n being the library's message code.
class JpegError : public base::Failure {
public:
    explicit JpegError(int code);
    int code() const noexcept { return code_; }

private:
    int code_;
};

// Pictures larger than this are refused before any pixel memory is taken.
inline constexpr int maxJpegSide = 8192;
inline constexpr long long maxJpegPixels = 4096LL * 4096LL;

// Decodes a whole JPEG held in memory into a Format_RGB32 image (opaque, grey pictures too).
// Strict about damage: a stream the library can only finish by guessing (premature end of the
// data, a bad Huffman code, data after the picture's end...) raises JpegError with the code of
// the library's warning instead of returning a partly grey picture. Empty input raises the
// library's "empty input" code. Never prints anything.
QImage decodeJpeg(const QByteArray& data);

// Reads a file or Qt resource (":/pictures/...") and decodes it. A file that cannot be read
// counts as empty input.
QImage loadJpegResource(const QString& path);

// The size that a file or Qt resource declares in its JPEG header, without decoding a pixel;
// empty when it cannot be read or the header is refused.
QSize jpegResourceSize(const QString& path);

} // namespace platform
