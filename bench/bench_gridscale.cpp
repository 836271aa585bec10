// A string grid of 1 000 000 rows x 20 columns against one of 10 rows x 20 columns, in the same
// 800 x 250 view with the same texts in view:
//   opening (create, size, fill the cells in view, paint once),
//   painting one viewport (rendered to an image),
//   scrolling to a far row and painting.
// Prints each figure as a ratio, large grid / small grid, measured in this run.

#include "bench/pairedratio.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Columns = 20;
constexpr int SmallRows = 10;
constexpr int LargeRows = 1'000'000;

std::unique_ptr<stringgrid::StringGrid> openGrid(int rows) {
    auto grid = std::make_unique<stringgrid::StringGrid>();
    grid->resize(800, 250); // about ten rows in view, as many as the small grid has
    grid->setColCount(Columns);
    grid->setRowCount(rows);
    for (int row = 0; row < std::min(rows, 30); ++row)
        for (int col = 0; col < 12; ++col)
            grid->setCells(col, row, QStringLiteral("%1 x %2").arg(col).arg(row));
    grid->show();
    return grid;
}

void paint(stringgrid::StringGrid& grid, QImage& image) {
    grid.viewport()->render(&image);
    bench::keep(image.constBits());
}

void openAndPaint(int rows) {
    static QImage image(800, 250, QImage::Format_RGB32);
    auto grid = openGrid(rows);
    paint(*grid, image);
}

// An open grid whose viewport is painted again and again.
class Painter {
public:
    explicit Painter(int rows)
        : grid_(openGrid(rows)), image_(grid_->viewport()->size(), QImage::Format_RGB32) {}
    void paint() { ::paint(*grid_, image_); }

    // Far places with as much text in view as the small grid has, shown in turn by
    // scrollAndPaint.
    void fillFarPlaces() {
        grid_->setRowHeights(LargeRows / 2, 60); // one own height: positions come from the sums
        std::mt19937 random(7);
        std::uniform_int_distribution<int> row(1, grid_->RowCount() - 20);
        tops_.resize(64);
        for (int& top : tops_) {
            top = row(random);
            for (int r = top; r < top + 12; ++r)
                for (int col = 0; col < 12; ++col)
                    grid_->setCells(col, r, QStringLiteral("%1 x %2").arg(col).arg(r));
        }
    }
    void scrollAndPaint() {
        grid_->setTopRow(tops_[next_++ % tops_.size()]);
        paint();
    }

private:
    std::unique_ptr<stringgrid::StringGrid> grid_;
    QImage image_;
    std::vector<int> tops_;
    std::size_t next_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    bench::fixAddressLayout(argv);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const int repetitions = bench::repetitionsFrom(argc, argv);
    bench::printPairedRatio("open 1 000 000 rows / 10 rows",
                            {"open and paint, 1 000 000 rows", [] { openAndPaint(LargeRows); }},
                            {"open and paint, 10 rows", [] { openAndPaint(SmallRows); }},
                            repetitions, 1.5);
    Painter large(LargeRows);
    Painter small(SmallRows);
    bench::printPairedRatio("paint 1 000 000 rows / 10 rows",
                            {"paint, 1 000 000 rows", [&] { large.paint(); }},
                            {"paint, 10 rows", [&] { small.paint(); }}, repetitions, 1.5);
    large.fillFarPlaces();
    bench::printPairedRatio("scroll and paint 1 000 000 rows / paint 10 rows",
                            {"scroll and paint, 1 000 000 rows", [&] { large.scrollAndPaint(); }},
                            {"paint, 10 rows", [&] { small.paint(); }}, repetitions, 1.5);
    return 0;
}
