// The number text against the C library on the same 100 000 values and texts:
//   FormatNumber (5 digits) against snprintf("%.17Le"), the 18-digit expansion it starts from;
//   ParseNumber against strtold, both reading the same texts with a full stop as the mark.
// Prints each figure as a ratio, ours / C library, measured in this run.

#include "bench/pairedratio.h"
#include "calc/numbertext.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
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

// One pass over the samples each: FormatNumber, snprintf, ParseNumber, strtold.
void formatNumbers() {
    for (long double value : samples().values) {
        std::string text = calc::FormatNumber(value, 1, '.');
        bench::keep(text.data());
    }
}

void printAll() {
    for (long double value : samples().values) {
        std::array<char, 64> text{};
        std::snprintf(text.data(), text.size(), "%.17Le", value);
        bench::keep(text.data());
    }
}

void parseNumbers() {
    for (const std::string& text : samples().texts) {
        const long double value = calc::ParseNumber(text, '.');
        bench::keep(&value);
    }
}

void strtoldAll() {
    for (const std::string& text : samples().texts) {
        const long double value = std::strtold(text.c_str(), nullptr);
        bench::keep(&value);
    }
}

} // namespace

int main(int argc, char** argv) {
    bench::fixAddressLayout(argv);
    const int repetitions = bench::repetitionsFrom(argc, argv);
    formatNumbers(); // also builds the samples, outside every measurement
    const std::size_t formatted = allocations;
    formatNumbers();
    std::printf("heap allocations a FormatNumber call: %.3f\n",
                double(allocations - formatted) / Count);
    bench::printPairedRatio("FormatNumber / snprintf(\"%.17Le\")",
                            {"FormatNumber, 100 000 values", formatNumbers},
                            {"snprintf %.17Le, 100 000 values", printAll}, repetitions, 0.2);
    bench::printPairedRatio("ParseNumber / strtold", {"ParseNumber, 100 000 texts", parseNumbers},
                            {"strtold, 100 000 texts", strtoldAll}, repetitions, 0.5);
    return 0;
}
