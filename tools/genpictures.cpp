// Writes every picture of the program into the resources folder given as argument:
//   quilvar_genpictures <resources folder>
// The output is committed; run this only when the artwork changes.

#include "tools/appicon.h"
#include "tools/banner.h"
#include "tools/bmpwriter.h"
#include "tools/doordrawing.h"
#include "tools/glyphart.h"
#include "tools/jpegwriter.h"
#include "tools/palette16.h"
#include "tools/scale2x.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <functional>

namespace {

constexpr int olive = 3;
constexpr int silver = 7;
constexpr int jpegQuality = 92;

bool ok = true;

void report(bool written, const QString& path) {
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ok = false;
    }
}

// The same path for the picture drawn at twice the resolution: "name@2x.ext".
QString atTwice(const QString& path) {
    const int dot = static_cast<int>(path.lastIndexOf('.'));
    return path.left(dot) + "@2x" + path.mid(dot);
}

// A button strip: the picture and its greyed form side by side, at the designed size and twice.
void writeStrip(const QString& path, const tools::Art& art) {
    const QImage picture = tools::fromArt(art, olive);
    report(tools::writeBmp4(tools::sideBySide(picture, tools::greyed(picture, olive)), path), path);
    const QImage twice = tools::scale2x(picture);
    const QString path2x = atTwice(path);
    report(tools::writeBmp4(tools::sideBySide(twice, tools::greyed(twice, olive, 2)), path2x),
           path2x);
}

void writeJpegs(const QString& path, const std::function<QImage(int)>& draw) {
    report(tools::writeJpeg(draw(1), path, jpegQuality), path);
    const QString path2x = atTwice(path);
    report(tools::writeJpeg(draw(2), path2x, jpegQuality), path2x);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts for the lettering
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* folder : {"pictures", "glyphs"})
        root.mkpath(folder);

    writeJpegs(root.filePath("pictures/imageg.jpg"),
               [](int scale) { return tools::drawDoor(tools::LongSide::Left, scale); });
    writeJpegs(root.filePath("pictures/imaged.jpg"),
               [](int scale) { return tools::drawDoor(tools::LongSide::Right, scale); });
    writeJpegs(root.filePath("pictures/banner.jpg"),
               [](int scale) { return tools::drawBanner(scale); });

    writeStrip(root.filePath("glyphs/close.bmp"), tools::openDoorArt());
    writeStrip(root.filePath("glyphs/calcul.bmp"), tools::calculatorArt());
    writeStrip(root.filePath("glyphs/print.bmp"), tools::printerArt());
    writeStrip(root.filePath("glyphs/debit.bmp"), tools::tableArt());
    writeStrip(root.filePath("glyphs/about.bmp"), tools::bulbArt());
    writeStrip(root.filePath("glyphs/help.bmp"), tools::helpArt());
    writeStrip(root.filePath("glyphs/debit_print.bmp"), tools::printerArt());
    const QString closeList = root.filePath("glyphs/debit_close.bmp");
    const QImage closePicture = tools::fromArt(tools::closeListArt(), silver);
    report(tools::writeBmp4(closePicture, closeList), closeList);
    report(tools::writeBmp4(tools::scale2x(closePicture), atTwice(closeList)), atTwice(closeList));

    // The icon theme's layout, as it is installed.
    for (int size : tools::appIconSizes) {
        const QString folder = QString("icons/hicolor/%1x%1/apps").arg(size);
        root.mkpath(folder);
        const QString path = root.filePath(folder + "/quilvar.png");
        report(tools::drawAppIcon(size).save(path, "PNG"), path);
    }
    return ok ? 0 : 1;
}
