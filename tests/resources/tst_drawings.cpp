// The committed pictures: the two door drawings must put every line where the window's
// controls expect it, and the button pictures must have the sizes and transparency the
// buttons rely on.

#include "platform/glyphs.h"
#include "platform/jpegdecoder.h"
#include "platform/messagebox.h"
#include "platform/picturebox.h"
#include "platform/picturescale.h"
#include "resources/resources.h"

#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
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

// A drawing as stored at its designed size (scale 1) or at twice the resolution (scale 2).
const QImage& drawing(const QString& name, int scale) {
    static QImage g = platform::loadJpegResource(":/pictures/imageg.jpg");
    static QImage d = platform::loadJpegResource(":/pictures/imaged.jpg");
    static QImage g2 = platform::loadJpegResource(":/pictures/imageg@2x.jpg");
    static QImage d2 = platform::loadJpegResource(":/pictures/imaged@2x.jpg");
    if (scale == 2)
        return name == "imageg" ? g2 : d2;
    return name == "imageg" ? g : d;
}

// Ink: dark at the designed pixel p itself, or within `slack` pixels for oblique lines, whose
// pixels the rasteriser may put one row off. On a sharper picture p covers scale x scale pixels.
bool inked(const QImage& image, QPoint p, int slack, int scale) {
    const int reach = slack * scale + scale - 1;
    for (int dy = -slack * scale; dy <= reach; ++dy)
        for (int dx = -slack * scale; dx <= reach; ++dx)
            if (qGray(image.pixel(p * scale + QPoint(dx, dy))) < 110)
                return true;
    return false;
}

// Paper: nothing drawn anywhere around the designed pixel.
bool blank(const QImage& image, QPoint p, int scale) {
    for (int dy = -scale; dy < 2 * scale; ++dy)
        for (int dx = -scale; dx < 2 * scale; ++dx)
            if (qGray(image.pixel(p * scale + QPoint(dx, dy))) < 200)
                return false;
    return true;
}

QString describe(const QList<QPoint>& points) {
    QStringList parts;
    for (const QPoint& p : points)
        parts << QString("(%1,%2)").arg(p.x()).arg(p.y());
    return parts.join(' ');
}

// The frame's lines, each with the slack its pixels may need, on the drawing at `scale`.
void frameLineRows(int scale) {
    const auto newRow = [scale](const char* name) -> QTestData& {
        return QTest::addRow("%s, at %dx", name, scale);
    };
    newRow("long stile, outer edge") << column(88, {124, 200, 300, 400, 453}) << 0 << scale;
    newRow("long stile, inner edge") << column(115, {150, 250, 350, 450}) << 0 << scale;
    newRow("short stile, inner edge") << column(266, {288, 350, 400, 450}) << 0 << scale;
    newRow("short stile, outer edge") << column(294, {312, 380, 450}) << 0 << scale;
    newRow("base line") << row(455, {90, 150, 200, 250, 292}) << 0 << scale;
    newRow("bottom rail, top edge") << row(425, {120, 190, 260}) << 0 << scale;
    newRow("top edge over the door") << along(topEdge, {90, 120, 150, 200, 250, 292}) << 1 << scale;
    newRow("top edge prolonged for the angle") << along(topEdge, {8, 30, 60, 80}) << 1 << scale;
    newRow("long stile prolonged for the angle") << column(88, {8, 30, 60, 110}) << 0 << scale;
    newRow("oblique rail, inner edge")
        << along(railInnerEdge, {118, 150, 200, 250, 263}) << 1 << scale;
}

} // namespace

class TestDrawings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { resources::load(); }
    void picturesHaveTheirSizes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("the long-left drawing") << ":/pictures/imageg.jpg" << QSize(473, 572);
        QTest::newRow("the long-right drawing") << ":/pictures/imaged.jpg" << QSize(473, 572);
        QTest::newRow("the about banner") << ":/pictures/banner.jpg" << QSize(314, 43);
        QTest::newRow("the long-left drawing, twice as sharp")
            << ":/pictures/imageg@2x.jpg" << QSize(946, 1144);
        QTest::newRow("the long-right drawing, twice as sharp")
            << ":/pictures/imaged@2x.jpg" << QSize(946, 1144);
        QTest::newRow("the about banner, twice as sharp")
            << ":/pictures/banner@2x.jpg" << QSize(628, 86);
    }
    void picturesHaveTheirSizes() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QCOMPARE(platform::loadJpegResource(path).size(), size);
    }

    void frameLines_data() {
        QTest::addColumn<QList<QPoint>>("ink");
        QTest::addColumn<int>("slack");
        QTest::addColumn<int>("scale");
        for (int scale : {1, 2})
            frameLineRows(scale);
    }
    void frameLines() {
        // The right-hand drawing is the mirror image: column x goes to 473 - x.
        QFETCH(QList<QPoint>, ink);
        QFETCH(int, slack);
        QFETCH(int, scale);
        for (const QPoint& p : ink)
            QVERIFY2(inked(drawing("imageg", scale), p, slack, scale), qPrintable(describe({p})));
        for (const QPoint& p : mirrored(ink))
            QVERIFY2(inked(drawing("imaged", scale), p, slack, scale), qPrintable(describe({p})));
    }

    void dimensionLines_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QList<QPoint>>("ink");
        QTest::addColumn<QList<QPoint>>("breaks");
        QTest::addColumn<int>("slack");
        QTest::addColumn<int>("scale");

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
        for (int scale : {1, 2})
            for (const Dimension& d : dimensions) {
                QTest::addRow("%s, long side left, at %dx", d.name, scale)
                    << "imageg" << d.ink << d.breakLeft << d.slack << scale;
                QTest::addRow("%s, long side right, at %dx", d.name, scale)
                    << "imaged" << mirrored(d.ink) << d.breakRight << d.slack << scale;
            }
    }
    void dimensionLines() {
        QFETCH(QString, picture);
        QFETCH(QList<QPoint>, ink);
        QFETCH(QList<QPoint>, breaks);
        QFETCH(int, slack);
        QFETCH(int, scale);
        const QImage& image = drawing(picture, scale);
        for (const QPoint& p : ink)
            QVERIFY2(inked(image, p, slack, scale), qPrintable("no line at " + describe({p})));
        for (const QPoint& p : breaks)
            QVERIFY2(blank(image, p, scale), qPrintable("line not broken at " + describe({p})));
    }

    void mmTextsStandWhereStated_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<int>("scale");
        const QPoint left[] = {{47, 285},  {157, 302}, {224, 172}, {248, 370}, {364, 378},
                               {443, 366}, {367, 473}, {193, 495}, {193, 551}};
        const QPoint right[] = {{441, 285}, {325, 302}, {252, 172}, {245, 369}, {136, 379},
                                {53, 365},  {102, 473}, {290, 495}, {287, 551}};
        for (int scale : {1, 2}) {
            for (const QPoint& p : left)
                QTest::addRow("mm at %d,%d, long side left, at %dx", p.x(), p.y(), scale)
                    << "imageg" << p << scale;
            for (const QPoint& p : right)
                QTest::addRow("mm at %d,%d, long side right, at %dx", p.x(), p.y(), scale)
                    << "imaged" << p << scale;
        }
    }
    void mmTextsStandWhereStated() {
        // Ink inside the 23 x 8 box (in designed pixels); just above and below it, paper (a
        // frame line crossing behind the text is allowed).
        QFETCH(QString, picture);
        QFETCH(QPoint, topLeft);
        QFETCH(int, scale);
        const QImage& image = drawing(picture, scale);
        const QPoint origin = topLeft * scale;
        const int width = 23 * scale;
        const int height = 8 * scale;
        auto inkAt = [&](int x, int y) { return qGray(image.pixel(origin + QPoint(x, y))) < 110; };
        auto inkIn = [&](int left, int top, int columns, int rows) {
            int count = 0;
            for (int y = top; y < top + rows; ++y)
                for (int x = left; x < left + columns; ++x)
                    count += inkAt(x, y);
            return count;
        };
        QVERIFY2(inkIn(0, 0, width, height) > 40 * scale * scale,
                 qPrintable(QString::number(inkIn(0, 0, width, height))));
        // The letters reach every edge of their box: it stands exactly where stated.
        QVERIFY(inkIn(0, 0, scale, height) > 0);
        QVERIFY(inkIn(width - scale, 0, scale, height) > 0);
        QVERIFY(inkIn(0, 0, width, scale) > 0);
        QVERIFY(inkIn(0, height - scale, width, scale) > 0);
        const int above = inkIn(0, -2 * scale, width, scale);
        const int below = inkIn(0, height + scale, width, scale);
        QVERIFY2(above <= 2 * scale * scale, qPrintable(QString::number(above)));
        QVERIFY2(below <= 2 * scale * scale, qPrintable(QString::number(below)));
    }

    void buttonPictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QColor>("transparent");
        const QColor olive(128, 128, 0);
        for (const char* name :
             {"close", "calcul", "print", "debit", "about", "help", "debit_print"})
            for (int scale : {1, 2})
                QTest::addRow("%s: normal and greyed on olive, at %dx", name, scale)
                    << QString(":/glyphs/%1%2.bmp").arg(name, scale == 2 ? "@2x" : "")
                    << QSize(32, 16) * scale << 2 << olive;
        QTest::newRow("debit_close: one picture on silver")
            << ":/glyphs/debit_close.bmp" << QSize(20, 20) << 1 << QColor(192, 192, 192);
        QTest::newRow("debit_close: one picture on silver, at 2x")
            << ":/glyphs/debit_close@2x.bmp" << QSize(40, 40) << 1 << QColor(192, 192, 192);
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

    void aButtonShowsThePictureMadeForTheScreen_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("strip");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("a standard screen: the designed picture")
            << 1.0 << ":/glyphs/print.bmp" << QSize(16, 16);
        QTest::newRow("a high-density screen: the sharper one")
            << 2.0 << ":/glyphs/print@2x.bmp" << QSize(32, 32);
        QTest::newRow("in between: the sharper one, scaled down") << 1.5 << "" << QSize(24, 24);
    }
    void aButtonShowsThePictureMadeForTheScreen() {
        QFETCH(qreal, ratio);
        QFETCH(QString, strip);
        QFETCH(QSize, pixels);
        const QIcon icon = platform::loadGlyph(":/glyphs/print.bmp", 2);
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QPixmap shown = icon.pixmap(QSize(16, 16), ratio, mode);
            QCOMPARE(shown.size(), pixels);
            QCOMPARE(shown.devicePixelRatio(), ratio);
            if (!strip.isEmpty()) {
                QImage pixels = shown.toImage().convertToFormat(QImage::Format_ARGB32);
                QImage expected =
                    platform::glyphPicture(QImage(strip), 2, mode == QIcon::Normal ? 0 : 1);
                pixels.setDevicePixelRatio(1); // Qt reads "@2x" in a file name as a ratio
                expected.setDevicePixelRatio(1);
                QCOMPARE(pixels, expected);
            }
        }
    }

    void aDrawingIsDrawnFromThePictureMadeForTheScreen_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("stored"); // the picture shown pixel for pixel, if any
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("a standard screen: the designed picture")
            << 1.0 << ":/pictures/imageg.jpg" << QSize(473, 572);
        QTest::newRow("twice the density: the sharper picture")
            << 2.0 << ":/pictures/imageg@2x.jpg" << QSize(946, 1144);
        QTest::newRow("one and a half: the sharper picture scaled down")
            << 1.5 << "" << QSize(710, 858);
        QTest::newRow("one and a quarter: the sharper picture scaled down")
            << 1.25 << "" << QSize(591, 715);
        QTest::newRow("three times: the sharper picture scaled up")
            << 3.0 << "" << QSize(1419, 1716);
    }
    void aDrawingIsDrawnFromThePictureMadeForTheScreen() {
        QFETCH(qreal, ratio);
        QFETCH(QString, stored);
        QFETCH(QSize, pixels);
        const QPixmap shown = platform::loadJpegPicture(":/pictures/imageg.jpg", ratio);
        QCOMPARE(shown.size(), pixels);
        QCOMPARE(shown.devicePixelRatio(), ratio);
        // The layout stays the designed one, in logical pixels.
        QCOMPARE(shown.deviceIndependentSize().toSize(), QSize(473, 572));
        if (!stored.isEmpty()) {
            QImage pixels = shown.toImage().convertToFormat(QImage::Format_RGB32);
            pixels.setDevicePixelRatio(1);
            QCOMPARE(pixels, platform::loadJpegResource(stored));
        }
    }

    void aPictureWithoutASharperTwinIsScaledFromTheDesignedOne() {
        QTemporaryDir folder;
        const QString path = folder.filePath("banner.jpg");
        QVERIFY(QFile::copy(":/pictures/banner.jpg", path));
        const QPixmap shown = platform::loadJpegPicture(path, 2.0);
        QCOMPARE(shown.size(), QSize(628, 86));
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        QCOMPARE(platform::twiceResolutionPath("a.b/banner.jpg"), QString("a.b/banner@2x.jpg"));
    }

    void aRefusedPictureRaisesItsFailureWhenShown() {
        QTemporaryDir folder;
        const QString path = folder.filePath("damaged.jpg");
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        QFile whole(":/pictures/banner.jpg");
        QVERIFY(whole.open(QIODevice::ReadOnly));
        damaged.write(whole.readAll().left(2000)); // the data ends before the picture does
        damaged.close();
        QStringList shown;
        platform::setBoxResponder([&shown](const platform::BoxRequest& request) {
            shown.append(request.text);
            return platform::BoxAnswer::Ok;
        });
        platform::PictureBox box;
        box.setPicture(path);
        QVERIFY(shown.isEmpty());
        box.show();
        platform::setBoxResponder({});
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith("Erreur JPEG #"), qPrintable(shown.first()));
        QVERIFY(box.pixmap().isNull());
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

    void theIconIsDrawnAtEachThemeSize_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 48, 64, 128, 256})
            QTest::addRow("%d x %d", size, size) << size;
    }
    void theIconIsDrawnAtEachThemeSize() {
        QFETCH(int, size);
        // The files installed for the desktop entry; the window icon is built from the smaller.
        const QImage icon(QString(QUILVAR_THEME_ICONS "/%1x%1/apps/quilvar.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        // The designed pixels, wherever they fall at this size.
        const auto at = [size](double x, double y) {
            return QPoint(int((x + 0.5) * size / 32), int((y + 0.5) * size / 32));
        };
        QCOMPARE(qAlpha(icon.pixel(at(31, 0))), 0);
        QCOMPARE(qAlpha(icon.pixel(at(0, 31))), 0);
        QCOMPARE(icon.pixelColor(at(3, 20)), QColor(Qt::black));
        QCOMPARE(icon.pixelColor(at(5.5, 28)), QColor(Qt::white));
        QCOMPARE(icon.pixelColor(at(14, 22)), QColor(192, 192, 192));
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
