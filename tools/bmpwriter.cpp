#include "tools/bmpwriter.h"

#include <QByteArray>
#include <QFile>
#include <cstdint>

namespace tools {

namespace {

void put16(QByteArray& out, std::uint16_t value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>(value >> 8));
}

void put32(QByteArray& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xff));
}

} // namespace

bool writeBmp4(const QImage& picture, const QString& path) {
    const int width = picture.width();
    const int height = picture.height();
    const int rowBytes = ((width + 1) / 2 + 3) / 4 * 4;
    const std::uint32_t headers = 14 + 40 + 16 * 4;
    const std::uint32_t pixels = static_cast<std::uint32_t>(rowBytes * height);

    QByteArray out;
    out.append("BM");
    put32(out, headers + pixels);
    put32(out, 0);
    put32(out, headers);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // no compression
    put32(out, pixels);
    put32(out, 3780); // 96 dpi
    put32(out, 3780);
    put32(out, 16);
    put32(out, 16);
    const auto colours = picture.colorTable();
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : 0;
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    for (int y = height - 1; y >= 0; --y) { // bottom row first
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const int index = picture.pixelIndex(x, y) & 0x0f;
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        out.append(row);
    }

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace tools
