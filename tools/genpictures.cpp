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

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

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

// A button strip: the picture and its greyed form side by side.
void writeStrip(const QString& path, const tools::Art& art) {
    const QImage picture = tools::fromArt(art, olive);
    report(tools::writeBmp4(tools::sideBySide(picture, tools::greyed(picture, olive)), path), path);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts for the lettering
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* folder : {"pictures", "glyphs", "icons"})
        root.mkpath(folder);

    const QString g = root.filePath("pictures/imageg.jpg");
    report(tools::writeJpeg(tools::drawDoor(tools::LongSide::Left), g, jpegQuality), g);
    const QString d = root.filePath("pictures/imaged.jpg");
    report(tools::writeJpeg(tools::drawDoor(tools::LongSide::Right), d, jpegQuality), d);
    const QString banner = root.filePath("pictures/banner.jpg");
    report(tools::writeJpeg(tools::drawBanner(), banner, jpegQuality), banner);

    writeStrip(root.filePath("glyphs/close.bmp"), tools::openDoorArt());
    writeStrip(root.filePath("glyphs/calcul.bmp"), tools::calculatorArt());
    writeStrip(root.filePath("glyphs/print.bmp"), tools::printerArt());
    writeStrip(root.filePath("glyphs/debit.bmp"), tools::tableArt());
    writeStrip(root.filePath("glyphs/about.bmp"), tools::bulbArt());
    writeStrip(root.filePath("glyphs/help.bmp"), tools::helpArt());
    writeStrip(root.filePath("glyphs/debit_print.bmp"), tools::printerArt());
    const QString closeList = root.filePath("glyphs/debit_close.bmp");
    report(tools::writeBmp4(tools::fromArt(tools::closeListArt(), silver), closeList), closeList);

    const QImage icon = tools::drawAppIcon();
    for (const QString& path : {root.filePath("icons/quilvar.png"), root.filePath("quilvar.png")})
        report(icon.save(path, "PNG"), path);
    return ok ? 0 : 1;
}
