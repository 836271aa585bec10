// The aligned grid at scale, each figure a ratio against a baseline measured in this run:
//   painting one viewport of a 1 000 000-row x 20-column grid / the same viewport of a
//   10-row x 20-column grid (the same cells in view, with texts and column settings);
//   (CPU time: the machine is shared, and painting runs on one thread);
//   the heap taken by an empty 1 000 000 x 20 grid / an empty 10 x 20 grid, and the bytes its
//   setting tables take (none until a setting is stored).

#include "bench/pairedratio.h"
#include "widgets/aligngrid/model/alignsettings.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

// Live heap bytes, counted by replacing the global allocation functions.
namespace {
long long liveBytes = 0;
constexpr std::size_t header = alignof(std::max_align_t);
} // namespace

void* operator new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + header));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    liveBytes += static_cast<long long>(size);
    return block + header;
}
void operator delete(void* p) noexcept {
    if (!p)
        return;
    auto* block = static_cast<unsigned char*>(p) - header;
    liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int Cols = 20;
constexpr int VisibleRows = 10;

std::unique_ptr<TStringAlignGrid> makeGrid(int rows) {
    auto grid = std::make_unique<TStringAlignGrid>();
    grid->setColCount(Cols);
    grid->setRowCount(rows);
    // Ten rows in view (the fixed one and nine ordinary ones): what a 10-row grid shows.
    grid->resize(Cols * 64 + 40, VisibleRows * 25 + 2);
    grid->setTopRow(rows > VisibleRows ? rows / 2 : 1);
    for (int c = 0; c < Cols; ++c) {
        grid->SetAlignCol(c, static_cast<aligngrid::TMyAlign>(c % 3));
        grid->setCells(c, 0, QString("Col %1").arg(c));
        for (int r = grid->TopRow(); r < grid->TopRow() + VisibleRows && r < rows; ++r)
            // The same texts in both grids, so that both paint the same glyphs.
            grid->setCells(c, r, QString("%1\r\n%2").arg(r - grid->TopRow() + 1).arg(c * 1.5));
    }
    grid->Settings().SetAlignRow(rows - 1, aligngrid::alCenter);
    return grid;
}

// Paints the grid's viewport into an image of its size.
class ViewportPainter {
public:
    explicit ViewportPainter(int rows)
        : grid_(makeGrid(rows)), image_(grid_->viewport()->size(), QImage::Format_RGB32) {}
    void paint() {
        grid_->viewport()->render(&image_);
        bench::keep(image_.constBits());
    }

private:
    std::unique_ptr<TStringAlignGrid> grid_;
    QImage image_;
};

long long emptyGridBytes(int rows) {
    const long long before = liveBytes;
    auto grid = std::make_unique<TStringAlignGrid>();
    grid->setColCount(Cols);
    grid->setRowCount(rows);
    return liveBytes - before;
}

struct Shape : aligngrid::GridShape {
    int rows = 0;
    int ColCount() const override { return Cols; }
    int RowCount() const override { return rows; }
    int FixedCols() const override { return 1; }
    int FixedRows() const override { return 1; }
    aligngrid::TColor Color() const override { return 0x80000005; }
    aligngrid::TColor FixedColor() const override { return 0x8000000F; }
};

long long emptyTablesBytes(int rows) {
    Shape shape;
    shape.rows = rows;
    const long long before = liveBytes;
    auto settings = std::make_unique<aligngrid::AlignSettings>(shape);
    return liveBytes - before - static_cast<long long>(sizeof(aligngrid::AlignSettings));
}

} // namespace

int main(int argc, char** argv) {
    bench::fixAddressLayout(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    {
        ViewportPainter millionRows(1'000'000);
        ViewportPainter tenRows(10);
        bench::printPairedRatio("painting one viewport, 1 000 000 rows / 10 rows",
                                {"paint a viewport, 1 000 000 rows", [&] { millionRows.paint(); }},
                                {"paint a viewport, 10 rows", [&] { tenRows.paint(); }},
                                bench::repetitionsFrom(argc, argv), 1.2);
    }
    // Qt's own lists of widgets grow now and then as widgets come and go: a few grids made and
    // dropped first leave them grown, so that the grid's own heap is what the figure compares.
    for (int i = 0; i < 3; ++i) {
        emptyGridBytes(1'000'000);
        emptyGridBytes(10);
    }
    const long long bigGrid = emptyGridBytes(1'000'000);
    const long long smallGrid = emptyGridBytes(10);
    std::printf("Heap of an empty grid, 1 000 000 x 20 / 10 x 20: %lld / %lld bytes = %.2f\n",
                bigGrid, smallGrid, smallGrid > 0 ? double(bigGrid) / double(smallGrid) : 0.0);
    std::printf("Setting tables of an empty grid: %lld heap bytes (1 000 000 rows), %lld (10 "
                "rows); the model object itself: %zu bytes\n",
                emptyTablesBytes(1'000'000), emptyTablesBytes(10),
                sizeof(aligngrid::AlignSettings));
    return 0;
}
