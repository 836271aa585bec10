#include "platform/jpegdecoder.h"

#include <QRegularExpression>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <jerror.h>
#include <jpeglib.h>

using platform::decodeJpeg;
using platform::JpegError;

namespace {

// A 16 x 8 baseline JPEG, 4:4:4: left half pure red, right half pure blue.
const unsigned char redBlue[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02,
    0x01, 0x01, 0x01, 0x02, 0x02, 0x02, 0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04,
    0x04, 0x03, 0x04, 0x06, 0x05, 0x06, 0x06, 0x06, 0x05, 0x06, 0x06, 0x06, 0x07, 0x09, 0x08, 0x06,
    0x07, 0x09, 0x07, 0x06, 0x06, 0x08, 0x0b, 0x08, 0x09, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x06, 0x08,
    0x0b, 0x0c, 0x0b, 0x0a, 0x0c, 0x09, 0x0a, 0x0a, 0x0a, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x02, 0x02,
    0x02, 0x02, 0x02, 0x02, 0x05, 0x03, 0x03, 0x05, 0x0a, 0x07, 0x06, 0x07, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xff, 0xc4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00,
    0x16, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x0a, 0x08, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03,
    0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0x17, 0xa5, 0x36, 0xfe, 0x08, 0x65, 0x50,
    0x35, 0xef, 0xff, 0xd9};

QByteArray referenceBytes() {
    return QByteArray(reinterpret_cast<const char*>(redBlue), sizeof redBlue);
}

// Encodes with the library itself, so the round trip needs no other encoder.
QByteArray encode(const QImage& source, int quality, bool grey, bool progressive) {
    const QImage image =
        source.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row =
            const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer); // libjpeg's own allocation
    return bytes;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

// The code of the JpegError that decoding raises, or -1 when the picture decodes.
int failureCode(const QByteArray& bytes, QString* message = nullptr) {
    try {
        decodeJpeg(bytes);
    } catch (const JpegError& e) {
        if (message)
            *message = QString::fromStdString(e.what());
        return e.code();
    }
    return -1;
}

// Where the frame header's height field sits (after "FF C0 len len precision").
qsizetype frameSizeOffset(const QByteArray& bytes) {
    const qsizetype marker = bytes.indexOf(QByteArray("\xff\xc0", 2));
    return marker < 0 ? -1 : marker + 5;
}

QByteArray withFrameSize(QByteArray bytes, int width, int height) {
    const qsizetype at = frameSizeOffset(bytes);
    bytes[at] = static_cast<char>(height >> 8);
    bytes[at + 1] = static_cast<char>(height & 0xff);
    bytes[at + 2] = static_cast<char>(width >> 8);
    bytes[at + 3] = static_cast<char>(width & 0xff);
    return bytes;
}

} // namespace

class TestJpegDecoder : public QObject {
    Q_OBJECT

private slots:
    void decodesTheReferenceBytesToTheirColours() {
        const QImage image = decodeJpeg(referenceBytes());
        QCOMPARE(image.size(), QSize(16, 8));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        for (const QPoint at : {QPoint(1, 1), QPoint(6, 7), QPoint(9, 0), QPoint(14, 6)}) {
            const QRgb p = image.pixel(at);
            const QRgb expected = at.x() < 8 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
            QVERIFY2(
                std::abs(qRed(p) - qRed(expected)) <= 12 &&
                    std::abs(qGreen(p) - qGreen(expected)) <= 12 &&
                    std::abs(qBlue(p) - qBlue(expected)) <= 12,
                qPrintable(
                    QString("pixel %1,%2 is %3").arg(at.x()).arg(at.y()).arg(QColor(p).name())));
        }
    }

    void roundTrip_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("grey");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("a colour picture comes back as encoded") << 40 << 24 << false << false << 6;
        QTest::newRow("odd sizes keep every row and column") << 37 << 13 << false << false << 6;
        QTest::newRow("a single pixel decodes") << 1 << 1 << false << false << 6;
        QTest::newRow("a grey picture comes back in colour") << 40 << 24 << true << false << 6;
        QTest::newRow("a progressive picture decodes") << 64 << 48 << false << true << 6;
    }
    void roundTrip() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, grey);
        QFETCH(bool, progressive);
        QFETCH(int, tolerance);
        QImage source = gradient(width, height);
        if (grey)
            source = source.convertToFormat(QImage::Format_Grayscale8);
        const QImage decoded = decodeJpeg(encode(source, 100, grey, progressive));
        QCOMPARE(decoded.size(), source.size());
        QCOMPARE(decoded.format(), QImage::Format_RGB32);
        // Opaque: the padding byte must not read as transparency once drawn.
        QCOMPARE(qAlpha(decoded.pixel(0, 0)), 255);
        QVERIFY(largestDifference(decoded, source.convertToFormat(QImage::Format_RGB888)) <=
                tolerance);
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("code");
        const QByteArray good = referenceBytes();
        QTest::newRow("empty input is the library's empty input")
            << QByteArray() << int(JERR_INPUT_EMPTY);
        QTest::newRow("text is not a JPEG") << QByteArray("Quilvar") << int(JERR_NO_SOI);
        QTest::newRow("a PNG signature is not a JPEG")
            << QByteArray("\x89PNG\r\n\x1a\n", 8) << int(JERR_NO_SOI);
        QTest::newRow("only the start marker is premature end")
            << good.left(2) << int(JWRN_JPEG_EOF);
        QTest::newRow("a cut inside the scan data is premature end")
            << good.left(good.size() - 6) << int(JWRN_JPEG_EOF);
        QTest::newRow("a missing end marker is premature end")
            << good.left(good.size() - 2) << int(JWRN_JPEG_EOF);
        QTest::newRow("a zero height is refused")
            << withFrameSize(good, 16, 0) << int(JERR_EMPTY_IMAGE);
        QTest::newRow("an absurd size is refused before allocating")
            << withFrameSize(good, 65000, 65000) << int(JERR_IMAGE_TOO_BIG);
        QTest::newRow("a long thin picture over the pixel bound is refused")
            << withFrameSize(good, 8192, 4096) << int(JERR_IMAGE_TOO_BIG);
    }
    void refusals() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, code);
        QString message;
        QCOMPARE(failureCode(bytes, &message), code);
        QCOMPARE(message, QString("Erreur JPEG #%1").arg(code));
    }

    void everyTruncationIsRefused() {
        // No prefix of a picture may pass for the picture, or crash.
        const QByteArray good = referenceBytes();
        const QRegularExpression format("^Erreur JPEG #\\d+$");
        for (qsizetype length = 0; length < good.size(); ++length) {
            QString message;
            const int code = failureCode(good.left(length), &message);
            QVERIFY2(code >= 0, qPrintable(QString("%1 bytes decoded").arg(length)));
            QVERIFY2(format.match(message).hasMatch(), qPrintable(message));
        }
    }

    void damagedBytesNeverCrash() {
        // Every single-byte change either still decodes to the right size or is refused.
        const QByteArray good = encode(gradient(48, 32), 90, false, false);
        for (qsizetype at = 0; at < good.size(); ++at) {
            for (const char value : {'\x00', '\xff', '\x55'}) {
                QByteArray bad = good;
                bad[at] = value;
                try {
                    const QImage image = decodeJpeg(bad);
                    QVERIFY(!image.isNull());
                    QVERIFY(image.width() <= platform::maxJpegSide);
                } catch (const JpegError& e) {
                    QVERIFY(e.code() > 0);
                }
            }
        }
    }

    void bytesAfterTheEndMarkerAreIgnored() {
        const QImage image = decodeJpeg(referenceBytes() + QByteArray(100, 'x'));
        QCOMPARE(image.size(), QSize(16, 8));
    }

    void anUnreadableFileCountsAsEmptyInput() {
        QString message;
        try {
            platform::loadJpegResource(":/pictures/no-such-picture.jpg");
        } catch (const JpegError& e) {
            message = QString::fromStdString(e.what());
        }
        QCOMPARE(message, QString("Erreur JPEG #%1").arg(JERR_INPUT_EMPTY));
    }

    void aJpegErrorIsAFailure() {
        const JpegError error(42);
        const base::Failure& failure = error;
        QCOMPARE(QString::fromStdString(failure.message()), QString("Erreur JPEG #42"));
    }
};

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
