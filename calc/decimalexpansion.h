#pragma once
// Binary-to-decimal arithmetic on the x87 extended format (64-bit significand): the rounded
// 18-digit decimal expansion of a value and powers of ten rounded to that format. Integer
// arithmetic on the significand only, so nothing here raises a floating-point flag.

#include <cstdint>

namespace calc {

// A value as 0.d1 d2 ... d18 x 10^exponent. `digits` holds d1..d18 as one integer in
// [10^17, 10^18), trailing zeros included.
struct DecimalExpansion {
    std::uint64_t digits;
    int exponent;
};

// The expansion of a finite, non-zero value (its sign is ignored), rounded to nearest with
// ties to even. A rounding that carries into a 19th digit gives 10^17 and raises the exponent.
// Exact for every value whose scaling to 18 digits needs a power of ten up to 10^54
// (magnitudes from about 1e-36 up); elsewhere within a unit of the 18th digit.
DecimalExpansion expandDecimal18(long double value);

// The largest k for which 10^k is finite in the extended format.
inline constexpr int MaxPowerOfTen = 4932;

// 10^k for 0 <= k <= MaxPowerOfTen, rounded to the extended format (exact up to 10^27).
long double powerOfTen(int k);

// The parts of an extended value, read from its bits.
struct ExtendedParts {
    std::uint64_t significand; // with its explicit integer bit
    int biasedExponent;        // 0 for zero and denormals, 0x7fff for infinities and NaNs
    bool negative;
};
ExtendedParts partsOf(long double value);

} // namespace calc
