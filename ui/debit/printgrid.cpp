#include "ui/debit/printgrid.h"

#include "platform/messagebox.h"
#include "platform/showfailure.h"
#include "print/canvas.h"
#include "print/printer.h"

#include <QApplication>
#include <QColor>
#include <utility>

namespace {

// The busy cursor for as long as the print runs, however it ends.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Sizes of one job, in printer pixels.
struct Layout {
    int leftMargin = 0;
    int topMargin = 0;
    int rightEdge = 0;
    int bottomLimit = 0;
    int rowHeight = 0;
    QList<int> columns;
};

class GridPrinter {
public:
    GridPrinter(const PrintableGrid& grid, print::Canvas& canvas, Layout layout, QString pageTitle,
                QString dateLine)
        : grid_(grid), canvas_(canvas), layout_(std::move(layout)),
          pageTitle_(std::move(pageTitle)), dateLine_(std::move(dateLine)) {}

    void heading() {
        canvas_.setBold(true);
        canvas_.textOut({layout_.leftMargin, layout_.topMargin}, pageTitle_);
        canvas_.textOut({layout_.rightEdge - canvas_.textWidth(dateLine_), layout_.topMargin},
                        dateLine_);
        line_ = layout_.topMargin + layout_.rowHeight;
        canvas_.setBrushColor(QColor(192, 192, 192));
        canvas_.fillRect(layout_.leftMargin, line_, layout_.rightEdge, line_ + layout_.rowHeight);
        canvas_.drawLine({layout_.leftMargin, line_}, {layout_.rightEdge, line_});
        row(0);
        canvas_.setBrushColor(QColor(255, 255, 255));
        canvas_.setBold(false);
    }

    void row(int r) {
        for (int c = 0; c < layout_.columns.size(); ++c) {
            const QString text = grid_.cell(c, r);
            if (!text.isEmpty()) {
                canvas_.textOut({layout_.columns[c] + 10, line_ + 10}, text);
            }
        }
        line_ += layout_.rowHeight;
        canvas_.drawLine({layout_.leftMargin, line_}, {layout_.rightEdge, line_});
    }

    void columnRules() {
        const int top = layout_.topMargin + layout_.rowHeight;
        for (int x : layout_.columns) {
            canvas_.drawLine({x, top}, {x, line_});
        }
        canvas_.drawLine({layout_.rightEdge, top}, {layout_.rightEdge, line_});
    }

    bool pageFull() const { return line_ >= layout_.bottomLimit; }

private:
    const PrintableGrid& grid_;
    print::Canvas& canvas_;
    Layout layout_;
    QString pageTitle_;
    QString dateLine_;
    int line_ = 0;
};

void printPages(const PrintableGrid& grid, print::Printer& printer, Layout layout,
                const QString& pageTitle, const QString& dateLine) {
    print::Canvas& canvas = printer.canvas();
    GridPrinter pages(grid, canvas, std::move(layout), pageTitle, dateLine);
    pages.heading();
    for (int r = 1; r < grid.rowCount(); ++r) {
        pages.row(r);
        if (pages.pageFull()) {
            pages.columnRules();
            printer.newPage();
            pages.heading();
        }
    }
    pages.columnRules();
}

} // namespace

QString dateLine(const QDate& date, const QLocale& locale) {
    return QStringLiteral("Imprimé le ") + locale.toString(date, QLocale::ShortFormat);
}

QList<int> columnPositions(const QList<int>& widths, int gridWidth, int pageWidth, int leftMargin) {
    QList<int> positions;
    if (widths.isEmpty()) {
        return positions;
    }
    // A grid not laid out on screen has no width: print it at one printer pixel per screen pixel.
    const int factor = gridWidth > 0 ? pageWidth / gridWidth : 1;
    positions.append(leftMargin);
    long long sum = 0;
    for (qsizetype i = 1; i < widths.size(); ++i) {
        sum += widths[i - 1];
        if (factor >= 1) {
            positions.append(positions.back() + widths[i - 1] * factor);
        } else {
            positions.append(leftMargin + static_cast<int>(sum * pageWidth / gridWidth));
        }
    }
    return positions;
}

void PrintGrid(print::Printer& printer, const PrintableGrid& grid, const QString& jobTitle,
               const QString& pageTitle, const PrintDate& date) {
    const BusyCursor busy;
    QList<int> widths;
    for (int c = 0; c < grid.colCount(); ++c) {
        widths.append(grid.colWidth(c));
    }
    const QString line = dateLine(date.today, date.locale);

    const int pageWidth = printer.pageWidth(); // binds the printer: no printer fails here
    const int pageHeight = printer.pageHeight();
    printer.setTitle(jobTitle);
    printer.printDoc([&] {
        print::Canvas& canvas = printer.canvas();
        canvas.setFont(grid.font());
        Layout layout;
        layout.rowHeight = 3 * canvas.textHeight(line) / 2;
        layout.leftMargin = pageWidth / 25;
        layout.topMargin = pageHeight / 25;
        layout.rightEdge = pageWidth - layout.leftMargin;
        layout.bottomLimit = pageHeight - layout.topMargin;
        layout.columns = columnPositions(widths, grid.screenWidth(), pageWidth, layout.leftMargin);
        printPages(grid, printer, std::move(layout), pageTitle, line);
    });
}

void printCuttingList(print::Printer& printer, const PrintableGrid& grid) {
    platform::guarded([&printer, &grid] {
        if (platform::confirmInformation(QStringLiteral("Impression de la fiche de débit"))) {
            PrintGrid(printer, grid, QStringLiteral("Impression Débit"),
                      QStringLiteral("Fiche de Débit"));
        }
    });
}
