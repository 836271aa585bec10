// The number text against the C library on the same 100 000 values and texts:
//   FormatNumber (5 digits) against snprintf("%.17Le"), the 18-digit expansion it starts from;
//   ParseNumber against strtold, both reading the same texts with a full stop as the mark.
// Prints each figure as a ratio, ours / C library, measured in this run.

#include "bench/ratioreporter.h"
#include "calc/numbertext.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>
#include <vector>

// Counts heap allocations, to show that a formatted text lives in the string's own buffer.
namespace {
std::size_t allocations = 0;
}
void* operator new(std::size_t size) {
    ++allocations;
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): the allocator itself
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p); // NOLINT(cppcoreguidelines-owning-memory): the allocator itself
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p); // NOLINT(cppcoreguidelines-owning-memory): the allocator itself
}

namespace {

constexpr int Count = 100'000;

struct Samples {
    std::vector<long double> values;
    std::vector<std::string> texts;

    Samples() {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> mantissa(1.0, 10.0);
        std::uniform_int_distribution<int> exponent(-6, 12);
        std::uniform_int_distribution<int> digits(1, 18);
        std::bernoulli_distribution negative(0.2);
        values.reserve(Count);
        texts.reserve(Count);
        for (int i = 0; i < Count; ++i) {
            // Mostly lengths and angles a workshop types, some far beyond them.
            long double value = mantissa(random) * std::pow(10.0L, exponent(random));
            if (i % 10 == 0) {
                value = std::pow(10.0L, static_cast<long double>(mantissa(random) * 400 - 2000));
            }
            if (negative(random)) {
                value = -value;
            }
            values.push_back(value);
            char text[64];
            std::snprintf(text, sizeof text, "%.*Lg", digits(random), value);
            texts.emplace_back(text);
        }
    }
};

const Samples& samples() {
    static const Samples built;
    return built;
}

void formatNumber(benchmark::State& state) {
    const Samples& s = samples();
    const std::size_t before = allocations;
    for (auto _ : state) {
        for (long double value : s.values) {
            std::string text = calc::FormatNumber(value, 1, '.');
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * Count);
    state.counters["allocs/call"] =
        static_cast<double>(allocations - before) / static_cast<double>(state.iterations() * Count);
}

void snprintfBaseline(benchmark::State& state) {
    const Samples& s = samples();
    for (auto _ : state) {
        for (long double value : s.values) {
            char text[64];
            std::snprintf(text, sizeof text, "%.17Le", value);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

void parseNumber(benchmark::State& state) {
    const Samples& s = samples();
    for (auto _ : state) {
        for (const std::string& text : s.texts) {
            benchmark::DoNotOptimize(calc::ParseNumber(text, '.'));
        }
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

void strtoldBaseline(benchmark::State& state) {
    const Samples& s = samples();
    for (auto _ : state) {
        for (const std::string& text : s.texts) {
            benchmark::DoNotOptimize(std::strtold(text.c_str(), nullptr));
        }
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

BENCHMARK(formatNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(snprintfBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(parseNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(strtoldBaseline)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration to print the ratios at the end.
} // namespace

int main(int argc, char** argv) {
    bench::initialize(&argc, argv);
    samples(); // built once, outside every measurement
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("FormatNumber / snprintf(\"%.17Le\")", "formatNumber", "snprintfBaseline",
                        0.2);
    reporter.printRatio("ParseNumber / strtold", "parseNumber", "strtoldBaseline", 0.5);
    benchmark::Shutdown();
    return 0;
}
