// The committed pictures: the two door drawings must put every line where the window's
// controls expect it, and the button pictures must have the sizes and transparency the
// buttons rely on.

#include "platform/glyphs.h"
#include "platform/jpegdecoder.h"

#include <QFile>
#include <QIcon>
#include <QTest>
#include <cmath>

namespace {

constexpr int width = 473;

double topEdge(double x) {
    return 42 + 0.906 * x;
}
double railInnerEdge(double x) {
    return 81 + 0.906 * x;
}
double railDimension(double x) {
    return 0.906 * x - 27;
}

QPoint at(double x, double y) {
    return {qRound(x), qRound(y)};
}

QList<QPoint> column(int x, std::initializer_list<int> ys) {
    QList<QPoint> points;
    for (int y : ys)
        points << QPoint(x, y);
    return points;
}

QList<QPoint> row(int y, std::initializer_list<int> xs) {
    QList<QPoint> points;
    for (int x : xs)
        points << QPoint(x, y);
    return points;
}

template <typename Line> QList<QPoint> along(Line line, std::initializer_list<double> xs) {
    QList<QPoint> points;
    for (double x : xs)
        points << at(x, line(x));
    return points;
}

QList<QPoint> mirrored(const QList<QPoint>& points) {
    QList<QPoint> out;
    for (const QPoint& p : points)
        out << QPoint(width - p.x(), p.y());
    return out;
}

const QImage& drawing(const QString& name) {
    static QImage g = platform::loadJpegResource(":/pictures/imageg.jpg");
    static QImage d = platform::loadJpegResource(":/pictures/imaged.jpg");
    return name == "imageg" ? g : d;
}

// Ink: dark at the point itself, or within `slack` pixels for oblique lines, whose pixels the
// rasteriser may put one row off.
bool inked(const QImage& image, QPoint p, int slack) {
    for (int dy = -slack; dy <= slack; ++dy)
        for (int dx = -slack; dx <= slack; ++dx)
            if (qGray(image.pixel(p + QPoint(dx, dy))) < 110)
                return true;
    return false;
}

// Paper: nothing drawn anywhere around the point.
bool blank(const QImage& image, QPoint p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (qGray(image.pixel(p + QPoint(dx, dy))) < 200)
                return false;
    return true;
}

QString describe(const QList<QPoint>& points) {
    QStringList parts;
    for (const QPoint& p : points)
        parts << QString("(%1,%2)").arg(p.x()).arg(p.y());
    return parts.join(' ');
}

} // namespace

class TestDrawings : public QObject {
    Q_OBJECT

private slots:
    void picturesHaveTheirSizes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("the long-left drawing") << ":/pictures/imageg.jpg" << QSize(473, 572);
        QTest::newRow("the long-right drawing") << ":/pictures/imaged.jpg" << QSize(473, 572);
        QTest::newRow("the about banner") << ":/pictures/banner.jpg" << QSize(314, 43);
    }
    void picturesHaveTheirSizes() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QCOMPARE(platform::loadJpegResource(path).size(), size);
    }

    void frameLines_data() {
        QTest::addColumn<QList<QPoint>>("ink");
        QTest::addColumn<int>("slack");
        QTest::newRow("long stile, outer edge") << column(88, {124, 200, 300, 400, 453}) << 0;
        QTest::newRow("long stile, inner edge") << column(115, {150, 250, 350, 450}) << 0;
        QTest::newRow("short stile, inner edge") << column(266, {288, 350, 400, 450}) << 0;
        QTest::newRow("short stile, outer edge") << column(294, {312, 380, 450}) << 0;
        QTest::newRow("base line") << row(455, {90, 150, 200, 250, 292}) << 0;
        QTest::newRow("bottom rail, top edge") << row(425, {120, 190, 260}) << 0;
        QTest::newRow("top edge over the door")
            << along(topEdge, {90, 120, 150, 200, 250, 292}) << 1;
        QTest::newRow("top edge prolonged for the angle") << along(topEdge, {8, 30, 60, 80}) << 1;
        QTest::newRow("long stile prolonged for the angle") << column(88, {8, 30, 60, 110}) << 0;
        QTest::newRow("oblique rail, inner edge")
            << along(railInnerEdge, {118, 150, 200, 250, 263}) << 1;
    }
    void frameLines() {
        // The right-hand drawing is the mirror image: column x goes to 473 - x.
        QFETCH(QList<QPoint>, ink);
        QFETCH(int, slack);
        for (const QPoint& p : ink)
            QVERIFY2(inked(drawing("imageg"), p, slack), qPrintable(describe({p})));
        for (const QPoint& p : mirrored(ink))
            QVERIFY2(inked(drawing("imaged"), p, slack), qPrintable(describe({p})));
    }

    void dimensionLines_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QList<QPoint>>("ink");
        QTest::addColumn<QList<QPoint>>("breaks");
        QTest::addColumn<int>("slack");

        // Each line, with paper where its control and "mm" stand.
        struct Dimension {
            const char* name;
            QList<QPoint> ink;
            QList<QPoint> breakLeft;
            QList<QPoint> breakRight;
            int slack;
        };
        const Dimension dimensions[] = {
            {"long exterior height", column(44, {123, 200, 250, 350, 454}), column(44, {289}),
             column(429, {289}), 0},
            {"interior long height", column(155, {186, 230, 280, 350, 424}), column(155, {305}),
             column(318, {305}), 0},
            {"oblique rail between the stiles", along(railDimension, {150, 170, 190, 250, 296}),
             along(railDimension, {215}), mirrored(along(railDimension, {215})), 1},
            {"interior short height", column(246, {323, 350, 400, 424}), column(246, {375}),
             column(227, {375}), 0},
            {"short exterior height", column(362, {309, 340, 420, 454}), column(362, {380}),
             column(111, {380}), 0},
            {"short stile's inner-edge height", column(441, {284, 320, 420, 454}),
             column(441, {369}), column(32, {369}), 0},
            {"stile width", row(476, {236, 255, 280, 300}), row(476, {330}), {}, 0},
            {"interior width", row(499, {116, 140, 240, 265}), row(499, {180}), row(499, {270}), 0},
            {"overall width", row(554, {89, 120, 250, 293}), row(554, {165}), row(554, {260}), 0},
            {"extension lines of the heights",
             row(122, {45, 60, 80}) + row(455, {45, 60, 80}),
             {},
             {},
             0},
            {"extension lines of the widths",
             column(88, {470, 530}) + column(294, {470, 530}),
             {},
             {},
             0},
        };
        for (const Dimension& d : dimensions) {
            QTest::addRow("%s, long side left", d.name)
                << "imageg" << d.ink << d.breakLeft << d.slack;
            QTest::addRow("%s, long side right", d.name)
                << "imaged" << mirrored(d.ink) << d.breakRight << d.slack;
        }
    }
    void dimensionLines() {
        QFETCH(QString, picture);
        QFETCH(QList<QPoint>, ink);
        QFETCH(QList<QPoint>, breaks);
        QFETCH(int, slack);
        const QImage& image = drawing(picture);
        for (const QPoint& p : ink)
            QVERIFY2(inked(image, p, slack), qPrintable("no line at " + describe({p})));
        for (const QPoint& p : breaks)
            QVERIFY2(blank(image, p), qPrintable("line not broken at " + describe({p})));
    }

    void mmTextsStandWhereStated_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QPoint>("topLeft");
        const QPoint left[] = {{47, 285},  {157, 302}, {224, 172}, {248, 370}, {364, 378},
                               {443, 366}, {367, 473}, {193, 495}, {193, 551}};
        const QPoint right[] = {{441, 285}, {325, 302}, {252, 172}, {245, 369}, {136, 379},
                                {53, 365},  {102, 473}, {290, 495}, {287, 551}};
        for (const QPoint& p : left)
            QTest::addRow("mm at %d,%d, long side left", p.x(), p.y()) << "imageg" << p;
        for (const QPoint& p : right)
            QTest::addRow("mm at %d,%d, long side right", p.x(), p.y()) << "imaged" << p;
    }
    void mmTextsStandWhereStated() {
        // Ink inside the 23 x 8 box; just above and below it, paper (a frame line crossing
        // behind the text is allowed).
        QFETCH(QString, picture);
        QFETCH(QPoint, topLeft);
        const QImage& image = drawing(picture);
        auto inkIn = [&](int top, int rows) {
            int count = 0;
            for (int y = top; y < top + rows; ++y)
                for (int x = 0; x < 23; ++x)
                    count += qGray(image.pixel(topLeft + QPoint(x, y))) < 110;
            return count;
        };
        QVERIFY2(inkIn(0, 8) > 40, qPrintable(QString::number(inkIn(0, 8))));
        // The letters reach every edge of their box: it stands exactly where stated.
        auto inkAt = [&](int x, int y) { return qGray(image.pixel(topLeft + QPoint(x, y))) < 110; };
        auto anyInColumn = [&](int x) {
            for (int y = 0; y < 8; ++y)
                if (inkAt(x, y))
                    return true;
            return false;
        };
        QVERIFY(anyInColumn(0));
        QVERIFY(anyInColumn(22));
        QVERIFY(inkIn(0, 1) > 0);
        QVERIFY(inkIn(7, 1) > 0);
        QVERIFY2(inkIn(-2, 1) <= 2, qPrintable(QString::number(inkIn(-2, 1))));
        QVERIFY2(inkIn(9, 1) <= 2, qPrintable(QString::number(inkIn(9, 1))));
    }

    void buttonPictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QColor>("transparent");
        const QColor olive(128, 128, 0);
        for (const char* name :
             {"close", "calcul", "print", "debit", "about", "help", "debit_print"})
            QTest::addRow("%s: normal and greyed on olive", name)
                << QString(":/glyphs/%1.bmp").arg(name) << QSize(32, 16) << 2 << olive;
        QTest::newRow("debit_close: one picture on silver")
            << ":/glyphs/debit_close.bmp" << QSize(20, 20) << 1 << QColor(192, 192, 192);
    }
    void buttonPictures() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(int, pictures);
        QFETCH(QColor, transparent);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(int(bytes.at(28)), 4); // 16 colours, 4 bits a pixel

        const QImage strip(path);
        QCOMPARE(strip.size(), size);
        QCOMPARE(strip.pixelColor(0, strip.height() - 1), transparent);

        const int side = size.width() / pictures;
        for (int i = 0; i < pictures; ++i) {
            const QImage picture = platform::glyphPicture(strip, pictures, i);
            QCOMPARE(picture.size(), QSize(side, size.height()));
            QCOMPARE(qAlpha(picture.pixel(0, picture.height() - 1)), 0);
            int opaque = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    opaque += qAlpha(picture.pixel(x, y)) == 255;
            QVERIFY2(opaque > 20, "the picture is not just background");
            QVERIFY2(opaque < side * size.height(), "no transparent ground");
        }
        if (pictures == 2)
            QVERIFY(platform::glyphPicture(strip, 2, 0) != platform::glyphPicture(strip, 2, 1));

        const QIcon icon = platform::loadGlyph(path, pictures);
        QVERIFY(!icon.isNull());
    }

    void aDisabledButtonShowsTheGreyedPicture() {
        const QImage strip(":/glyphs/print.bmp");
        const QIcon icon = platform::loadGlyph(":/glyphs/print.bmp", 2);
        const auto shown = [&](QIcon::Mode mode) {
            return icon.pixmap(QSize(16, 16), 1.0, mode)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(shown(QIcon::Normal), platform::glyphPicture(strip, 2, 0));
        QCOMPARE(shown(QIcon::Disabled), platform::glyphPicture(strip, 2, 1));
    }

    void unusableStripsGiveNothing_data() {
        QTest::addColumn<QImage>("strip");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("index");
        QImage strip(32, 16, QImage::Format_RGB32);
        strip.fill(Qt::white);
        QTest::newRow("no picture at all") << QImage() << 2 << 0;
        QTest::newRow("zero pictures in the strip") << strip << 0 << 0;
        QTest::newRow("an index past the strip") << strip << 2 << 2;
        QTest::newRow("a negative index") << strip << 2 << -1;
        QTest::newRow("more pictures than columns") << strip << 33 << 0;
    }
    void unusableStripsGiveNothing() {
        QFETCH(QImage, strip);
        QFETCH(int, pictures);
        QFETCH(int, index);
        QVERIFY(platform::glyphPicture(strip, pictures, index).isNull());
    }

    void aMissingGlyphFileGivesAnEmptyIcon() {
        QVERIFY(platform::loadGlyph(":/glyphs/no-such-picture.bmp", 2).isNull());
    }

    void theIconIsTheDoorOnATransparentGround() {
        const QImage icon(":/icons/quilvar.png");
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(qAlpha(icon.pixel(31, 0)), 0); // above the sloping top, right
        QCOMPARE(qAlpha(icon.pixel(0, 31)), 0);
        QCOMPARE(icon.pixelColor(3, 20), QColor(Qt::black));      // the long side's outline
        QCOMPARE(icon.pixelColor(5, 28), QColor(Qt::white));      // the frame
        QCOMPARE(icon.pixelColor(14, 22), QColor(192, 192, 192)); // the panel
    }
};

QTEST_MAIN(TestDrawings)
#include "tst_drawings.moc"
