#include "tools/palette16.h"

#include <cstdio>
#include <cstdlib>

namespace tools {

const QVector<QRgb>& palette16() {
    static const QVector<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colours;
}

int paletteIndex(char letter, int background) {
    static const std::string letters = "kmgonptsdrlybfcw";
    if (letter == '.')
        return background;
    const auto at = letters.find(letter);
    if (at == std::string::npos) {
        std::fprintf(stderr, "unknown picture letter '%c'\n", letter);
        std::abort();
    }
    return static_cast<int>(at);
}

QImage fromArt(const std::vector<std::string>& rows, int background) {
    const int width = static_cast<int>(rows.front().size());
    QImage picture(width, static_cast<int>(rows.size()), QImage::Format_Indexed8);
    picture.setColorTable(palette16());
    for (int y = 0; y < picture.height(); ++y) {
        const std::string& row = rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != width) {
            std::fprintf(stderr, "picture row %d is %zu wide, not %d\n", y, row.size(), width);
            std::abort();
        }
        for (int x = 0; x < width; ++x)
            picture.setPixel(
                x, y,
                static_cast<uint>(paletteIndex(row[static_cast<std::size_t>(x)], background)));
    }
    return picture;
}

namespace {

bool dark(QRgb colour) {
    return qGray(colour) < 160;
}

} // namespace

QImage greyed(const QImage& picture, int background, int offset) {
    QImage out(picture.size(), QImage::Format_Indexed8);
    out.setColorTable(palette16());
    out.fill(static_cast<uint>(background));
    const int grey = 8;
    const int white = 15;
    auto isInk = [&](int x, int y) {
        const int index = picture.pixelIndex(x, y);
        return index != background && dark(palette16()[index]);
    };
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (isInk(x, y) && x + offset < out.width() && y + offset < out.height())
                out.setPixel(x + offset, y + offset, white);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (isInk(x, y))
                out.setPixel(x, y, grey);
    return out;
}

QImage sideBySide(const QImage& left, const QImage& right) {
    QImage out(left.width() + right.width(), left.height(), QImage::Format_Indexed8);
    out.setColorTable(palette16());
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < left.width(); ++x)
            out.setPixel(x, y, static_cast<uint>(left.pixelIndex(x, y)));
        for (int x = 0; x < right.width(); ++x)
            out.setPixel(left.width() + x, y, static_cast<uint>(right.pixelIndex(x, y)));
    }
    return out;
}

int nearestIndex(QRgb colour) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < palette16().size(); ++i) {
        const QRgb p = palette16()[i];
        const long dr = qRed(p) - qRed(colour);
        const long dg = qGreen(p) - qGreen(colour);
        const long db = qBlue(p) - qBlue(colour);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace tools
