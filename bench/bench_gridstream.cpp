// Writing and reading the aligned grid's form data. Prints each figure as a ratio measured in
// this run: a 2 000 000-cell grid against a 1 000 000-cell one (linear: about 2), and our write
// and read of 1 000 000 text cells against QDataStream doing the same work.
//
// Every iteration starts from a heap handed back to the system, as the first load of a
// program does. Otherwise the allocator's retained memory, a fixed amount, holds most of the
// smaller case and little of the larger, and the ratio measures that rather than the code.

#include "bench/ratioreporter.h"
#include "widgets/aligngrid/alignstream.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QApplication>
#include <QDataStream>
#include <QIODevice>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>

namespace {

// Hands the freed heap back to the system, outside the timing.
void startFromReleasedHeap(benchmark::State& state) {
    state.PauseTiming();
    malloc_trim(0);
    state.ResumeTiming();
}

// Stream indices are 16-bit, so both grids keep their rows below 65536.
constexpr int kCols = 40;

// Every cell's text has the same length at every grid size (seven digits), so that twice the
// cells are twice the bytes: with the number's own width, the larger grid's texts would be a
// digit longer for half its cells and the ratio would count that.
QString cellText(int number) {
    return QStringLiteral("%1 é").arg(number, 7, 10, QLatin1Char('0'));
}

// A filled grid of kCols columns and the given rows, with some settings; one per size.
TStringAlignGrid& filledGrid(int rows) {
    static std::map<int, std::unique_ptr<TStringAlignGrid>> grids;
    std::unique_ptr<TStringAlignGrid>& grid = grids[rows];
    if (!grid) {
        grid = std::make_unique<TStringAlignGrid>();
        grid->setColCount(kCols);
        grid->setRowCount(rows);
        for (int col = 0; col < kCols; ++col) {
            for (int row = 0; row < rows; ++row) {
                grid->setCells(col, row, cellText(row * kCols + col));
            }
            grid->SetAlignCol(col, aligngrid::TMyAlign(col % 3));
        }
        for (int row = 0; row < rows; row += 97) {
            grid->Settings().SetHintCell(row % kCols, row, "astuce");
        }
        grid->Settings().SetFlag(aligngrid::StoredTable::Cells, true);
    }
    return *grid;
}

void writeAndRead(benchmark::State& state, int rows) {
    const TStringAlignGrid& grid = filledGrid(rows);
    for (auto _ : state) {
        startFromReleasedHeap(state);
        const QByteArray data = aligngrid::writeGridForm(grid);
        TStringAlignGrid back;
        aligngrid::loadGridForm(back, data);
        benchmark::DoNotOptimize(back.Cells(kCols - 1, rows - 1));
    }
    state.SetItemsProcessed(state.iterations() * kCols * rows);
}

void gridOf1M(benchmark::State& state) {
    writeAndRead(state, 25'000);
}
void gridOf2M(benchmark::State& state) {
    writeAndRead(state, 50'000);
}

// The same texts written with QDataStream (column, row, text per cell) and read back into a
// grid of the same size.
void dataStreamBaseline(benchmark::State& state) {
    const int rows = 25'000;
    const TStringAlignGrid& grid = filledGrid(rows);
    for (auto _ : state) {
        startFromReleasedHeap(state);
        QByteArray data;
        {
            QDataStream out(&data, QIODevice::WriteOnly);
            for (int col = 0; col < kCols; ++col) {
                for (int row = 0; row < rows; ++row) {
                    const QString text = grid.Cells(col, row);
                    if (!text.isEmpty()) {
                        out << qint32(col) << qint32(row) << text;
                    }
                }
            }
        }
        TStringAlignGrid back;
        back.setColCount(kCols);
        back.setRowCount(rows);
        QDataStream in(data);
        qint32 col = 0;
        qint32 row = 0;
        QString text;
        while (!in.atEnd()) {
            in >> col >> row >> text;
            back.setCells(col, row, text);
        }
        benchmark::DoNotOptimize(back.Cells(kCols - 1, rows - 1));
    }
    state.SetItemsProcessed(state.iterations() * kCols * rows);
}

BENCHMARK(gridOf1M)->Unit(benchmark::kMillisecond);
BENCHMARK(gridOf2M)->Unit(benchmark::kMillisecond);
BENCHMARK(dataStreamBaseline)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration to print the ratios at the end.
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("2 000 000 cells / 1 000 000 cells", "gridOf2M", "gridOf1M", 2.1);
    reporter.printRatio("form data / QDataStream, 1 000 000 text cells", "gridOf1M",
                        "dataStreamBaseline", 1.5);
    benchmark::Shutdown();
    return 0;
}
