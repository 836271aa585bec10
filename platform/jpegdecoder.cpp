#include "platform/jpegdecoder.h"

#include <QFile>
#include <QtGlobal>
#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h uses FILE and size_t without including their headers
#include <jerror.h>
#include <jpeglib.h>

namespace platform {

JpegError::JpegError(int code) : Failure("Erreur JPEG #" + std::to_string(code)), code_(code) {}

namespace {

// A stream with more scans than this is a denial of service, not a picture.
constexpr int maxScans = 1000;
// The library's own working memory (progressive pictures keep every coefficient).
constexpr long maxLibraryMemory = 256L * 1024 * 1024;

// The library writes each pixel as the four bytes of a QImage::Format_RGB32 pixel (0xffRRGGBB
// in the machine's byte order, padding byte 0xff), so the picture goes to the screen as it is
// decoded, without a 24-bit copy converted afterwards.
constexpr J_COLOR_SPACE rgb32ColourSpace =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
constexpr int rgb32Components = 4;

struct ErrorManager {
    jpeg_error_mgr pub; // first member: the library only sees a jpeg_error_mgr*
    std::jmp_buf jump;
    int code = 0;
};

// Warnings about header details that leave every pixel intact.
bool harmlessWarning(int code) {
    return code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM || code == JWRN_BOGUS_ICC;
}

[[noreturn]] void jumpOut(j_common_ptr cinfo, int code) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->code = code;
    std::longjmp(err->jump, 1);
}

void onError(j_common_ptr cinfo) {
    jumpOut(cinfo, cinfo->err->msg_code);
}

// Warnings (level -1) mean the library is guessing at damaged data: refuse the picture.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && !harmlessWarning(cinfo->err->msg_code))
        jumpOut(cinfo, cinfo->err->msg_code);
}

void silent(j_common_ptr) {}

void onProgress(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > maxScans)
        jumpOut(cinfo, JERR_BAD_PROGRESSION);
}

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    bool created = false;

    Decompressor() {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = onError;
        err.pub.emit_message = onMessage;
        err.pub.output_message = silent;
        progress.progress_monitor = onProgress;
    }
    ~Decompressor() {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

// The steps below run the library under setjmp. Their frames hold nothing with a destructor,
// so a long jump out of the library skips no C++ clean-up; the caller throws afterwards.

bool readHeader(Decompressor& d, const unsigned char* bytes, unsigned long size) {
    if (setjmp(d.err.jump) != 0)
        return false;
    d.created = true;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = maxLibraryMemory;
    d.cinfo.progress = &d.progress;
    jpeg_mem_src(&d.cinfo, bytes, size);
    jpeg_read_header(&d.cinfo, TRUE);
    d.cinfo.out_color_space = rgb32ColourSpace;
    return true;
}

bool readHeader(Decompressor& d, const QByteArray& data) {
    return readHeader(d, reinterpret_cast<const unsigned char*>(data.constData()),
                      static_cast<unsigned long>(data.size()));
}

// A file or resource whole; empty (the decoder's "empty input") when it cannot be read.
QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool readPixels(Decompressor& d, unsigned char* bits, std::ptrdiff_t bytesPerLine) {
    if (setjmp(d.err.jump) != 0)
        return false;
    jpeg_start_decompress(&d.cinfo);
    if (d.cinfo.output_components != rgb32Components ||
        d.cinfo.output_width != d.cinfo.image_width ||
        d.cinfo.output_height != d.cinfo.image_height)
        jumpOut(reinterpret_cast<j_common_ptr>(&d.cinfo), JERR_CONVERSION_NOTIMPL);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = bits + bytesPerLine * static_cast<std::ptrdiff_t>(d.cinfo.output_scanline);
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& data) {
    Decompressor d;
    if (!readHeader(d, data))
        throw JpegError(d.err.code);

    const long long width = d.cinfo.image_width;
    const long long height = d.cinfo.image_height;
    if (width > maxJpegSide || height > maxJpegSide || width * height > maxJpegPixels)
        throw JpegError(JERR_IMAGE_TOO_BIG);

    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        throw JpegError(JERR_OUT_OF_MEMORY);
    if (!readPixels(d, image.bits(), image.bytesPerLine()))
        throw JpegError(d.err.code);
    return image;
}

QSize jpegResourceSize(const QString& path) {
    const QByteArray data = fileBytes(path);
    Decompressor d;
    if (!readHeader(d, data))
        return {};
    return {static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

QImage loadJpegResource(const QString& path) {
    return decodeJpeg(fileBytes(path));
}

} // namespace platform
