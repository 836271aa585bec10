#include "tools/doordrawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

namespace tools {

namespace {

// Coordinates below are pixel indices within the picture: (88, 122) is the pixel in column 88,
// row 122. Painting adds half a pixel to reach the pixel's centre, so 1-pixel lines stay on
// exactly the columns and rows named here.

constexpr int pictureWidth = 473;
constexpr int pictureHeight = 572;
constexpr int windowPictureTop = 31; // controls are placed in window coordinates
constexpr double slope = 0.906;

double topEdge(double x) {
    return 42 + slope * x;
}
double railInnerEdge(double x) {
    return 81 + slope * x;
}
double railDimension(double x) {
    return slope * x - 27;
}

struct Stroke {
    QPolygonF points;
    double width = 1;
    bool breakable = false; // dimension and extension lines give way to the controls
    bool closed = false;
};

struct Sheet {
    std::vector<Stroke> strokes;
    std::vector<QPolygonF> arrowheads;
};

QPointF unit(QPointF v) {
    return v / std::hypot(v.x(), v.y());
}

// A filled arrowhead whose point touches `tip`, travelling along `direction`.
QPolygonF arrowhead(QPointF tip, QPointF direction) {
    const QPointF u = unit(direction);
    const QPointF n(-u.y(), u.x());
    constexpr double length = 8;
    constexpr double halfWidth = 2.5;
    const QPointF base = tip - length * u;
    return QPolygonF({tip, base + halfWidth * n, base - halfWidth * n});
}

void line(Sheet& sheet, QPointF a, QPointF b, double width, bool breakable) {
    sheet.strokes.push_back({QPolygonF({a, b}), width, breakable, false});
}

// A dimension line from a to b with an arrowhead at each end pointing outwards onto the
// extension lines.
void dimension(Sheet& sheet, QPointF a, QPointF b) {
    line(sheet, a, b, 1, true);
    sheet.arrowheads.push_back(arrowhead(a, a - b));
    sheet.arrowheads.push_back(arrowhead(b, b - a));
}

// Extension line from a (near the door, left a small gap) to b (just past the dimension line).
void extension(Sheet& sheet, QPointF a, QPointF b) {
    line(sheet, a, b, 1, true);
}

void addFrame(Sheet& sheet) {
    // Visible edges are 2 pixels wide: the named pixel plus its neighbour on the wood's side.
    const double left = 88.5;
    const double right = 293.5;
    const double base = 454.5;
    auto top = [](double x) { return topEdge(x) + 0.5; };
    sheet.strokes.push_back({QPolygonF({QPointF(left, top(left)), QPointF(left, base),
                                        QPointF(right, base), QPointF(right, top(right))}),
                             2, false, true});
    // The stiles run the full height; the rails sit between them.
    const double longInner = 114.5;
    const double shortInner = 266.5;
    line(sheet, {longInner, top(longInner)}, {longInner, base}, 2, false);
    line(sheet, {shortInner, top(shortInner)}, {shortInner, base}, 2, false);
    line(sheet, {longInner, 425.5}, {shortInner, 425.5}, 2, false);
    line(sheet, {longInner, railInnerEdge(longInner) - 0.5},
         {shortInner, railInnerEdge(shortInner) - 0.5}, 2, false);
}

void addAngleMark(Sheet& sheet) {
    // The long stile's outer edge and the top edge, both prolonged beyond the corner.
    line(sheet, {88, 7}, {88, 120}, 1, false);
    line(sheet, {6, topEdge(6)}, {86, topEdge(86)}, 1, false);

    // Two short arcs about the corner, each ending in an arrow onto one of the lines; the
    // angle field sits between them.
    const QPointF corner(88, 122);
    constexpr double radius = 105;
    const double edgeAngle = std::atan2(1.0, slope); // from the vertical, towards the top edge
    auto at = [&](double a) {
        return corner + QPointF(-radius * std::sin(a), -radius * std::cos(a));
    };
    auto arc = [&](double from, double to) {
        QPolygonF points;
        constexpr int steps = 16;
        for (int i = 0; i <= steps; ++i)
            points << at(from + (to - from) * i / steps);
        sheet.strokes.push_back({points, 1, true, false});
    };
    constexpr double arrowArc = 13 * std::numbers::pi / 180;
    arc(arrowArc, 0);
    sheet.arrowheads.push_back(arrowhead(at(0), {1, 0}));
    arc(edgeAngle - arrowArc, edgeAngle);
    sheet.arrowheads.push_back(
        arrowhead(at(edgeAngle), {-std::cos(edgeAngle), std::sin(edgeAngle)}));
}

void addDimensions(Sheet& sheet) {
    // Long exterior height, outside the long stile.
    extension(sheet, {85, 122}, {40, 122});
    extension(sheet, {85, 455}, {40, 455});
    dimension(sheet, {44, 122}, {44, 455});

    // Interior height on the long side, from the rail's inner corner down to the bottom rail.
    extension(sheet, {118, 185}, {159, 185});
    dimension(sheet, {155, 185}, {155, 425});

    // Oblique rail between the stiles, parallel to it; extension lines leave the top edge
    // square to it at the stiles' inner edges.
    const QPointF railFrom(148, railDimension(148));
    const QPointF railTo(298, railDimension(298));
    const QPointF edgeFrom(115, topEdge(115));
    const QPointF edgeTo(266, topEdge(266));
    extension(sheet, edgeFrom + 3 * unit(railFrom - edgeFrom),
              railFrom + 4 * unit(railFrom - edgeFrom));
    extension(sheet, edgeTo + 3 * unit(railTo - edgeTo), railTo + 4 * unit(railTo - edgeTo));
    dimension(sheet, railFrom, railTo);

    // Interior height on the short side.
    extension(sheet, {263, 322}, {242, 322});
    dimension(sheet, {246, 322}, {246, 425});

    // Short exterior height and the short stile's inner-edge height, side by side.
    extension(sheet, {297, 308}, {366, 308});
    extension(sheet, {270, 283}, {445, 283});
    extension(sheet, {297, 455}, {445, 455});
    dimension(sheet, {362, 308}, {362, 455});
    dimension(sheet, {441, 283}, {441, 455});

    // Widths under the door: extension lines down from the base line.
    extension(sheet, {88, 458}, {88, 558});
    extension(sheet, {294, 458}, {294, 558});
    extension(sheet, {115, 458}, {115, 503});
    extension(sheet, {266, 458}, {266, 503});

    // Stile width: arrows from outside onto both edges of the short stile.
    line(sheet, {234, 476}, {341, 476}, 1, true);
    sheet.arrowheads.push_back(arrowhead({266, 476}, {1, 0}));
    sheet.arrowheads.push_back(arrowhead({294, 476}, {-1, 0}));

    dimension(sheet, {115, 499}, {266, 499}); // interior width
    dimension(sheet, {88, 554}, {294, 554});  // overall width
}

Sheet longLeftSheet() {
    Sheet sheet;
    addFrame(sheet);
    addAngleMark(sheet);
    addDimensions(sheet);
    return sheet;
}

QPointF mirrored(QPointF p) {
    return {pictureWidth - p.x(), p.y()};
}

Sheet mirror(const Sheet& sheet) {
    Sheet out = sheet;
    for (Stroke& stroke : out.strokes)
        for (QPointF& p : stroke.points)
            p = mirrored(p);
    for (QPolygonF& head : out.arrowheads)
        for (QPointF& p : head)
            p = mirrored(p);
    return out;
}

// What stands on the drawing in one layout: a control (window coordinates, as the window
// places it) and the "mm" written just right of it, when there is one.
struct Placed {
    QRect control;
    QPoint mm;
    bool hasMm;
};

QRect pictureRect(int left, int top, int width, int height) {
    return {left, top - windowPictureTop, width, height};
}

// Labels size themselves to their number; they end a little before their "mm".
Placed label(int left, int top, QPoint mm) {
    return {pictureRect(left, top, mm.x() - 2 - left, 16), mm, true};
}

Placed edit(int left, int top, int width, QPoint mm) {
    return {pictureRect(left, top, width, 21), mm, true};
}

std::vector<Placed> placements(LongSide side) {
    const bool left = side == LongSide::Left;
    std::vector<Placed> placed;
    placed.push_back(
        {left ? pictureRect(15, 40, 30, 21) : pictureRect(391, 72, 30, 21), {}, false});
    placed.push_back(
        {left ? pictureRect(45, 40, 10, 19) : pictureRect(421, 72, 10, 19), {}, false});
    placed.push_back(left ? edit(0, 310, 41, {47, 285}) : edit(392, 310, 41, {441, 285}));
    placed.push_back(left ? edit(312, 400, 49, {364, 378}) : edit(80, 400, 49, {136, 379}));
    placed.push_back(left ? edit(320, 496, 41, {367, 473}) : edit(56, 496, 41, {102, 473}));
    placed.push_back(left ? edit(145, 576, 41, {193, 551}) : edit(241, 576, 41, {287, 551}));
    placed.push_back(left ? label(192, 195, {224, 172}) : label(220, 195, {252, 172}));
    placed.push_back(left ? label(160, 520, {193, 495}) : label(260, 520, {290, 495}));
    placed.push_back(left ? label(410, 392, {443, 366}) : label(20, 390, {53, 365}));
    placed.push_back(left ? label(130, 328, {157, 302}) : label(290, 328, {325, 302}));
    placed.push_back(left ? label(216, 398, {248, 370}) : label(216, 398, {245, 369}));
    return placed;
}

constexpr int mmWidth = 23;
constexpr int mmHeight = 8;

// Pixel-index box around a control and its "mm", widened by a margin.
QRectF breakBox(const Placed& p) {
    QRect box = p.control;
    if (p.hasMm)
        box = box.united(QRect(p.mm, QSize(mmWidth, mmHeight)));
    constexpr double margin = 3;
    return QRectF(box.left() - margin, box.top() - margin, box.width() - 1 + 2 * margin,
                  box.height() - 1 + 2 * margin);
}

// The parameter interval [t0, t1] of segment a->b inside box, or an empty interval.
std::pair<double, double> inside(QPointF a, QPointF b, const QRectF& box) {
    double t0 = 0;
    double t1 = 1;
    const QPointF d = b - a;
    const double p[4] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return {1, 0};
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return {t0, t1};
}

// The pieces of segment a->b left once every box is cut out of it.
std::vector<std::pair<QPointF, QPointF>> cut(QPointF a, QPointF b,
                                             const std::vector<QRectF>& boxes) {
    std::vector<std::pair<double, double>> gaps;
    for (const QRectF& box : boxes) {
        const auto gap = inside(a, b, box);
        if (gap.first < gap.second)
            gaps.push_back(gap);
    }
    std::sort(gaps.begin(), gaps.end());
    std::vector<std::pair<QPointF, QPointF>> pieces;
    double from = 0;
    for (const auto& [gapFrom, gapTo] : gaps) {
        if (gapFrom > from)
            pieces.emplace_back(a + from * (b - a), a + gapFrom * (b - a));
        from = std::max(from, gapTo);
    }
    if (from < 1)
        pieces.emplace_back(a + from * (b - a), b);
    return pieces;
}

QPointF centre(QPointF p) {
    return p + QPointF(0.5, 0.5);
}

void paintStroke(QPainter& painter, const Stroke& stroke, const std::vector<QRectF>& boxes) {
    QPen pen(Qt::black, stroke.width);
    // 1-pixel lines cover their end pixels; 2-pixel edges end on the middle of the edge they
    // meet, which covers the rest.
    pen.setCapStyle(stroke.width > 1 ? Qt::FlatCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPolygonF points;
    for (const QPointF& p : stroke.points)
        points << centre(p);
    if (stroke.closed) {
        painter.drawPolygon(points);
        return;
    }
    if (!stroke.breakable) {
        painter.drawPolyline(points);
        return;
    }
    for (int i = 0; i + 1 < stroke.points.size(); ++i)
        for (const auto& [from, to] : cut(stroke.points[i], stroke.points[i + 1], boxes))
            if (std::hypot(to.x() - from.x(), to.y() - from.y()) >= 1)
                painter.drawLine(centre(from), centre(to));
}

// "mm" rendered without anti-aliasing at `size` pixels, the two letters `spacing` pixels
// closer or further apart than the font sets them, cropped to its ink.
QImage mmLetters(int size, int spacing) {
    QFont font("Liberation Sans");
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPixelSize(size);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    QImage scratch(4 * size, 2 * size, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(size / 2, 3 * size / 2), "mm");
    }
    QRect ink;
    for (int y = 0; y < scratch.height(); ++y)
        for (int x = 0; x < scratch.width(); ++x)
            if (qGray(scratch.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return scratch.copy(ink);
}

// "mm" in small letters filling its 23 x 8 box (`scale` times larger on a sharper picture),
// crisp black on a patch of paper so that a line passing behind it does not run through the
// letters. Drawn in the picture's own pixels.
void paintMm(QPainter& painter, QPoint topLeft, int scale) {
    static std::map<int, QImage> lettersAt;
    if (!lettersAt.count(scale)) {
        // The largest letters that fit, tightened by up to a pixel of the designed size if that
        // makes them fit.
        QImage best = mmLetters(10 * scale, 0);
        for (int size = 10 * scale; size <= 20 * scale; ++size)
            for (int spacing = 0; spacing >= -scale; --spacing) {
                const QImage candidate = mmLetters(size, spacing);
                if (candidate.width() <= mmWidth * scale &&
                    candidate.height() <= mmHeight * scale &&
                    candidate.width() * candidate.height() > best.width() * best.height())
                    best = candidate;
            }
        lettersAt[scale] = best;
    }
    const QImage& letters = lettersAt[scale];
    painter.save();
    painter.resetTransform();
    const QPoint at = topLeft * scale;
    painter.fillRect(
        QRect(at - QPoint(scale, scale), QSize((mmWidth + 2) * scale, (mmHeight + 2) * scale)),
        Qt::white);
    // Centred in the box, standing on its bottom row.
    painter.drawImage(QPoint(at.x() + (mmWidth * scale - letters.width()) / 2,
                             at.y() + mmHeight * scale - letters.height()),
                      letters);
    painter.restore();
}

} // namespace

QImage drawDoor(LongSide side, int scale) {
    const Sheet sheet = side == LongSide::Left ? longLeftSheet() : mirror(longLeftSheet());
    const std::vector<Placed> placed = placements(side);
    std::vector<QRectF> boxes;
    for (const Placed& p : placed)
        boxes.push_back(breakBox(p));

    QImage picture(pictureWidth * scale, pictureHeight * scale, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // Every coordinate stays the designed one: a pixel of the design covers scale x scale.
    if (scale != 1)
        painter.scale(scale, scale);
    for (const Stroke& stroke : sheet.strokes)
        paintStroke(painter, stroke, boxes);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QPolygonF& head : sheet.arrowheads) {
        QPolygonF points;
        for (const QPointF& p : head)
            points << centre(p);
        painter.drawPolygon(points);
    }
    for (const Placed& p : placed)
        if (p.hasMm)
            paintMm(painter, p.mm, scale);
    return picture;
}

} // namespace tools
