// A string grid of 1 000 000 rows x 20 columns against one of 10 rows x 20 columns, in the same
// 800 x 250 view with the same texts in view:
//   opening (create, size, fill the cells in view, paint once),
//   painting one viewport (rendered to an image),
//   scrolling to a far row and painting.
// Prints each figure as a ratio, large grid / small grid, measured in this run.

#include "bench/ratioreporter.h"
#include "widgets/stringgrid/stringgrid.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
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
    benchmark::DoNotOptimize(image.constBits());
}

void openAndPaint(benchmark::State& state, int rows) {
    QImage image(800, 250, QImage::Format_RGB32);
    for (auto _ : state) {
        auto grid = openGrid(rows);
        paint(*grid, image);
    }
}

void openSmall(benchmark::State& state) {
    openAndPaint(state, SmallRows);
}
void openLarge(benchmark::State& state) {
    openAndPaint(state, LargeRows);
}

void paintOnly(benchmark::State& state, int rows) {
    auto grid = openGrid(rows);
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state)
        paint(*grid, image);
}

void paintSmall(benchmark::State& state) {
    paintOnly(state, SmallRows);
}
void paintLarge(benchmark::State& state) {
    paintOnly(state, LargeRows);
}

void scrollAndPaintLarge(benchmark::State& state) {
    auto grid = openGrid(LargeRows);
    grid->setRowHeights(LargeRows / 2, 60); // one own height: positions come from the sums
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    // Far places with as much text in view as the small grid has.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> row(1, LargeRows - 20);
    std::vector<int> tops(64);
    for (int& top : tops) {
        top = row(random);
        for (int r = top; r < top + 12; ++r)
            for (int col = 0; col < 12; ++col)
                grid->setCells(col, r, QStringLiteral("%1 x %2").arg(col).arg(r));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        grid->setTopRow(tops[next++ % tops.size()]);
        paint(*grid, image);
    }
}

BENCHMARK(openSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(openLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(paintSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(paintLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(scrollAndPaintLarge)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration to print the ratios at the end.
} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    bench::initialize(&argc, argv);
    bench::RatioReporter reporter(bench::RatioReporter::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("open 1 000 000 rows / 10 rows", "openLarge", "openSmall", 1.5);
    reporter.printRatio("paint 1 000 000 rows / 10 rows", "paintLarge", "paintSmall", 1.5);
    reporter.printRatio("scroll and paint 1 000 000 rows / paint 10 rows", "scrollAndPaintLarge",
                        "paintSmall", 1.5);
    benchmark::Shutdown();
    return 0;
}
