#include "tools/scale2x.h"

#include <algorithm>

namespace tools {

QImage scale2x(const QImage& picture) {
    const int width = picture.width();
    const int height = picture.height();
    QImage out(2 * width, 2 * height, QImage::Format_Indexed8);
    out.setColorTable(picture.colorTable());
    // Outside the picture, each edge pixel stands for itself.
    auto at = [&](int x, int y) {
        return picture.pixelIndex(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int e = at(x, y);
            const int up = at(x, y - 1);
            const int down = at(x, y + 1);
            const int left = at(x - 1, y);
            const int right = at(x + 1, y);
            const bool apart = up != down && left != right;
            // A corner is filled only on a slope, where the pixel's colour goes on along the
            // other diagonal; the corners of rectangles stay square.
            const bool risingSlope = at(x + 1, y - 1) == e || at(x - 1, y + 1) == e;
            const bool fallingSlope = at(x - 1, y - 1) == e || at(x + 1, y + 1) == e;
            const int topLeft = apart && left == up && risingSlope ? left : e;
            const int topRight = apart && up == right && fallingSlope ? right : e;
            const int bottomLeft = apart && left == down && fallingSlope ? left : e;
            const int bottomRight = apart && down == right && risingSlope ? right : e;
            out.setPixel(2 * x, 2 * y, static_cast<uint>(topLeft));
            out.setPixel(2 * x + 1, 2 * y, static_cast<uint>(topRight));
            out.setPixel(2 * x, 2 * y + 1, static_cast<uint>(bottomLeft));
            out.setPixel(2 * x + 1, 2 * y + 1, static_cast<uint>(bottomRight));
        }
    return out;
}

} // namespace tools
