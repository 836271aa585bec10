#pragma once
// Prints a string grid on the application's printer as a ruled table: the page title and the
// date line on every page, a shaded bold header row, then one printed row per grid row.

#include <QDate>
#include <QFont>
#include <QList>
#include <QLocale>
#include <QString>
#include <concepts>

namespace print {
class Printer;
} // namespace print

// What printing reads from a grid.
class PrintableGrid {
public:
    virtual ~PrintableGrid() = default;
    virtual int colCount() const = 0;
    virtual int rowCount() const = 0;
    virtual int colWidth(int col) const = 0; // screen pixels
    virtual QString cell(int col, int row) const = 0;
    virtual int screenWidth() const = 0; // the control's width on screen, border included
    virtual QFont font() const = 0;
};

// The day printed in the date line and the locale whose short date format writes it.
struct PrintDate {
    QLocale locale = QLocale::system();
    QDate today = QDate::currentDate();
};

// "Imprimé le " followed by `date` in the short date format of `locale`.
QString dateLine(const QDate& date, const QLocale& locale);

// The left edge of each printed column, in printer pixels: the first at `leftMargin`, each next
// one `widths` of the previous column times pageWidth / gridWidth further. The whole factor is
// used when it is 1 or more, as the grid on screen is usually much narrower than the page; a grid
// wider than the page is scaled down exactly, so its columns stay apart and in order.
QList<int> columnPositions(const QList<int>& widths, int gridWidth, int pageWidth, int leftMargin);

// Prints `grid` on `printer` (the application's) under the print queue title `jobTitle`, with
// `pageTitle` at the top of each page.
// Printer failures propagate (the job, if open, is closed first); the busy cursor shows meanwhile.
void PrintGrid(print::Printer& printer, const PrintableGrid& grid, const QString& jobTitle,
               const QString& pageTitle, const PrintDate& date = {});

// Any grid control offering the string grid's accessors.
template <typename Grid>
concept StringGridLike = requires(const Grid& grid) {
    { grid.ColCount() } -> std::convertible_to<int>;
    { grid.RowCount() } -> std::convertible_to<int>;
    { grid.ColWidths(0) } -> std::convertible_to<int>;
    { grid.Cells(0, 0) } -> std::convertible_to<QString>;
    { grid.width() } -> std::convertible_to<int>;
    { grid.font() } -> std::convertible_to<QFont>;
};

template <StringGridLike Grid> class StringGridForPrint : public PrintableGrid {
public:
    explicit StringGridForPrint(const Grid& grid) : grid_(grid) {}
    int colCount() const override { return grid_.ColCount(); }
    int rowCount() const override { return grid_.RowCount(); }
    int colWidth(int col) const override { return grid_.ColWidths(col); }
    QString cell(int col, int row) const override { return grid_.Cells(col, row); }
    int screenWidth() const override { return grid_.width(); }
    QFont font() const override { return grid_.font(); }

private:
    const Grid& grid_;
};

template <StringGridLike Grid>
void PrintGrid(print::Printer& printer, const Grid& grid, const QString& jobTitle,
               const QString& pageTitle, const PrintDate& date = {}) {
    PrintGrid(printer, StringGridForPrint<Grid>(grid), jobTitle, pageTitle, date);
}

// The cutting list's print button: asks "Impression de la fiche de débit" and on "&Oui" prints
// `grid` under "Impression Débit" with the page title "Fiche de Débit". A failure goes to the
// error box; the window stays as it is.
void printCuttingList(print::Printer& printer, const PrintableGrid& grid);

template <StringGridLike Grid> void printCuttingList(print::Printer& printer, const Grid& grid) {
    printCuttingList(printer, StringGridForPrint<Grid>(grid));
}
