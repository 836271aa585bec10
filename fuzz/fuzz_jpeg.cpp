// Any byte sequence given to the JPEG decoder either decodes or raises JpegError: no crash,
// no leak, no unbounded allocation.

#include "platform/jpegdecoder.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const QImage image = platform::decodeJpeg(bytes);
        if (image.isNull() || image.width() > platform::maxJpegSide ||
            image.height() > platform::maxJpegSide)
            std::abort();
    } catch (const platform::JpegError& error) {
        if (error.code() <= 0)
            std::abort();
    }
    return 0;
}
