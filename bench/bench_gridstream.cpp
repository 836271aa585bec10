// Writing and reading the aligned grid's form data. Prints each figure as a ratio measured in
// this run: a 2 000 000-cell grid against a 1 000 000-cell one (linear: about 2), and our write
// and read of 1 000 000 text cells against QDataStream doing the same work. Each ratio is the
// median of repetitions that time both sides back to back (bench/pairedratio.h).
//
// The times are taken in memory already touched. The allocator keeps all it gets and serves every
// block from its one heap, and that heap is grown to the larger case's peak before any timing.
// Taken from fresh pages, as a first load meets them, the times counted the system's cost of a
// first-touched page, which on a virtual machine moved the 2M/1M ratio between 1.4 and 3 from one
// repetition to the next. What those pages cost grows with the memory a load takes, so that memory
// is measured on its own: the heap each case grows, from a heap handed back to the system.
//
// Usage: bench_gridstream [--repetitions=N]

#include "bench/pairedratio.h"
#include "widgets/aligngrid/alignstream.h"
#include "widgets/aligngrid/stringaligngrid.h"

#include <QApplication>
#include <QDataStream>
#include <QIODevice>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <malloc.h>
#include <map>
#include <memory>

namespace {

// Stream indices are 16-bit, so both grids keep their rows below 65536.
constexpr int kCols = 40;
constexpr int kRowsOf1M = 25'000;
constexpr int kRowsOf2M = 50'000;

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

// Our form data: the grid written, then read back into a new grid.
void writeAndRead(int rows) {
    const TStringAlignGrid& grid = filledGrid(rows);
    const QByteArray data = aligngrid::writeGridForm(grid);
    TStringAlignGrid back;
    aligngrid::loadGridForm(back, data);
    if (back.Cells(kCols - 1, rows - 1) != grid.Cells(kCols - 1, rows - 1)) {
        std::fprintf(stderr, "the grid read back differs from the grid written\n");
        std::exit(1);
    }
}

// The same texts written with QDataStream (column, row, text per cell) and read back into a
// grid of the same size.
void dataStreamWriteAndRead(int rows) {
    const TStringAlignGrid& grid = filledGrid(rows);
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
}

// Every block from the one heap, which never shrinks unless asked.
void keepEveryBlockInTheHeap() {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
}

// The heap a load of each size grows, from a heap handed back to the system; the larger is
// measured last, which leaves the heap grown to its peak for the timed runs.
void printMemoryRatio() {
    filledGrid(kRowsOf1M);
    filledGrid(kRowsOf2M);
    malloc_trim(0);
    const std::size_t released = mallinfo2().arena;
    writeAndRead(kRowsOf1M);
    const std::size_t small = mallinfo2().arena - released;
    writeAndRead(kRowsOf2M);
    const std::size_t large = mallinfo2().arena - released;
    dataStreamWriteAndRead(kRowsOf1M); // its first run, outside the timing too
    const double ratio = double(large) / double(small);
    std::printf("heap grown by a load: %.1f MiB for 1 000 000 cells, %.1f MiB for 2 000 000\n",
                double(small) / (1 << 20), double(large) / (1 << 20));
    std::printf("ratio memory, 2 000 000 cells / 1 000 000 cells: %.3f (aim <= 2.10) %s\n", ratio,
                ratio <= 2.1 ? "ok" : "ABOVE AIM");
}

} // namespace

int main(int argc, char** argv) {
    bench::fixAddressLayout(argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = bench::repetitionsFrom(argc, argv);
    keepEveryBlockInTheHeap();
    printMemoryRatio();

    const bench::Work of1M{"form data, 1 000 000 cells", [] { writeAndRead(kRowsOf1M); }};
    const bench::Work of2M{"form data, 2 000 000 cells", [] { writeAndRead(kRowsOf2M); }};
    const bench::Work dataStream{"QDataStream, 1 000 000 text cells",
                                 [] { dataStreamWriteAndRead(kRowsOf1M); }};
    bench::printPairedRatio("2 000 000 cells / 1 000 000 cells", of2M, of1M, repetitions, 2.1);
    bench::printPairedRatio("form data / QDataStream, 1 000 000 text cells", of1M, dataStream,
                            repetitions, 1.5);
    return 0;
}
