#pragma once
// Printing a window as one picture on one page: its client area exactly as drawn, at the size it
// has on screen, at the printable area's top-left corner.

#include <QImage>
#include <QSize>

class QWidget;

namespace print {
class Printer;
} // namespace print

// The client area of `window` as drawn now, covered by other windows or not, at its current size.
QImage CaptureClientImage(QWidget& window);

// The size in printer dots of a picture of `pixels` shown at `ppi` pixels per inch on a printer of
// `dpi` dots per inch: each side scaled and rounded to the nearest dot, so it keeps its physical
// size; never fitted to the page.
QSize printedSize(QSize pixels, int ppi, QSize dpi);

// Prints the client area of `window` as one page on `printer`, the application's printer, under
// its current job title. Failures propagate; after the job opened, it is closed first.
void PrintWindowImage(QWidget& window, print::Printer& printer);
