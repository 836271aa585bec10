#include "ui/main/windowprint.h"

#include "print/printer.h"

#include <QPixmap>
#include <QWidget>

namespace {

// w * d / ppi rounded to the nearest whole dot, halves away from zero.
int scaled(int pixels, int dots, int ppi) {
    const long long twice = 2LL * pixels * dots;
    return static_cast<int>((twice + ppi) / (2LL * ppi));
}

} // namespace

QImage CaptureClientImage(QWidget& window) {
    // grab() renders the widget and its children into a picture of its own, so what covers the
    // window on screen does not matter.
    QImage picture = window.grab(window.rect()).toImage();
    if (picture.isNull() && !window.size().isEmpty()) {
        throw print::PrinterError("Impossible de capturer la fenêtre");
    }
    return picture;
}

QSize printedSize(QSize pixels, int ppi, QSize dpi) {
    if (ppi <= 0) {
        ppi = 96;
    }
    return {scaled(pixels.width(), dpi.width(), ppi), scaled(pixels.height(), dpi.height(), ppi)};
}

void PrintWindowImage(QWidget& window, print::Printer& printer) {
    printer.printDoc([&] {
        const QImage picture = CaptureClientImage(window);
        // The window's size in its own pixels; the picture may hold more on a high-density screen.
        const QSize size =
            printedSize(window.size(), window.logicalDpiY(), QSize(printer.dpiX(), printer.dpiY()));
        printer.canvas().stretchImage(QRect(QPoint(0, 0), size), picture);
    }); // the picture is freed before the job closes
}
