#include "calc/decimalexpansion.h"

#include <bit>
#include <cfloat>
#include <cstring>

static_assert(LDBL_MANT_DIG == 64, "the number text needs the x87 extended format");

namespace calc {
namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

constexpr int ExponentBias = 16383;
constexpr u64 TenPow17 = 100'000'000'000'000'000ULL;
constexpr u64 TenPow18 = 1'000'000'000'000'000'000ULL;

// mant x 2^exp2 with mant in [2^127, 2^128).
struct Wide {
    u128 mant;
    int exp2;
};

// Working value while the tables are built: limb[3..0] x 2^exp2, limb[3] with its top bit set.
// 256 bits keep the error of some hundred roundings far below the 128 bits that are kept.
struct Working {
    u64 limb[4];
    int exp2;
};

// Keeps the top 256 bits of the 320-bit w[4..0] (w[4] != 0), whose value is w x 2^exp2.
Working normalised(const u64 (&w)[5], int exp2) {
    const int shift = std::countl_zero(w[4]);
    Working out{};
    for (int i = 0; i < 4; ++i) {
        const u64 high = w[i + 1] << shift;
        const u64 low = shift == 0 ? 0 : w[i] >> (64 - shift);
        out.limb[i] = high | low;
    }
    out.exp2 = exp2 + 64 - shift;
    return out;
}

Working multiplied(const Working& x, u64 factor) {
    u64 w[5];
    u64 carry = 0;
    for (int i = 0; i < 4; ++i) {
        const u128 p = static_cast<u128>(x.limb[i]) * factor + carry;
        w[i] = static_cast<u64>(p);
        carry = static_cast<u64>(p >> 64);
    }
    w[4] = carry;
    return normalised(w, x.exp2);
}

// x / divisor, for a divisor of at least 2^32 so that the quotient keeps a non-zero top limb.
Working divided(const Working& x, u64 divisor) {
    const u64 numerator[5] = {0, x.limb[0], x.limb[1], x.limb[2], x.limb[3]};
    u64 q[5];
    u128 remainder = 0;
    for (int i = 4; i >= 0; --i) {
        const u128 current = (remainder << 64) | numerator[i];
        q[i] = static_cast<u64>(current / divisor);
        remainder = current % divisor;
    }
    return normalised(q, x.exp2 - 64);
}

Wide rounded(const Working& x) {
    Wide out{(static_cast<u128>(x.limb[3]) << 64) | x.limb[2], x.exp2 + 128};
    if (x.limb[1] >> 63) {
        ++out.mant;
        if (out.mant == 0) {
            out.mant = static_cast<u128>(1) << 127;
            ++out.exp2;
        }
    }
    return out;
}

constexpr int Block = 55;  // 5^55 < 2^128: every power up to 10^54 is exact in 128 bits
constexpr int Blocks = 91; // 10^(55 x 90) reaches the scaling of the smallest denormal
constexpr u64 Step = 100'000'000'000ULL; // 10^11, five steps to a block

struct Tables {
    Wide small[Block]; // 10^b, b = 0..54
    Wide up[Blocks];   // 10^(55a)
    Wide down[Blocks]; // 10^(-55a)

    Tables() {
        const Working one{{0, 0, 0, u64{1} << 63}, -255};
        Working x = one;
        for (int b = 0; b < Block; ++b) {
            small[b] = rounded(x);
            x = multiplied(x, 10);
        }
        Working above = one;
        Working below = one;
        up[0] = down[0] = rounded(one);
        for (int a = 1; a < Blocks; ++a) {
            for (int s = 0; s < Block / 11; ++s) {
                above = multiplied(above, Step);
                below = divided(below, Step);
            }
            up[a] = rounded(above);
            down[a] = rounded(below);
        }
    }
};

const Tables& tables() {
    static const Tables built;
    return built;
}

Wide product(const Wide& x, const Wide& y) {
    const u64 x0 = static_cast<u64>(x.mant), x1 = static_cast<u64>(x.mant >> 64);
    const u64 y0 = static_cast<u64>(y.mant), y1 = static_cast<u64>(y.mant >> 64);
    const u128 p00 = static_cast<u128>(x0) * y0;
    const u128 p01 = static_cast<u128>(x0) * y1;
    const u128 p10 = static_cast<u128>(x1) * y0;
    const u128 p11 = static_cast<u128>(x1) * y1;
    const u128 middle = (p00 >> 64) + static_cast<u64>(p01) + static_cast<u64>(p10);
    const u128 high = p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64);
    const u64 low = static_cast<u64>(middle);
    // The product lies in [2^254, 2^256): keep 128 bits from its top bit, rounding on the next.
    if (high >> 127) {
        Wide out{high, x.exp2 + y.exp2 + 128};
        if (low >> 63 && ++out.mant == 0) {
            out.mant = static_cast<u128>(1) << 127;
            ++out.exp2;
        }
        return out;
    }
    Wide out{(high << 1) | (low >> 63), x.exp2 + y.exp2 + 127};
    if ((low >> 62) & 1) {
        ++out.mant; // cannot wrap: the top bit was clear before the shift
    }
    return out;
}

// 10^k, for -55 x 90 <= k < 55 x 91.
Wide wideTen(int k) {
    const Tables& t = tables();
    const int a = k >= 0 ? k / Block : -((-k + Block - 1) / Block);
    const int b = k - a * Block;
    if (a == 0) {
        return t.small[b];
    }
    const Wide& block = a > 0 ? t.up[a] : t.down[-a];
    return b == 0 ? block : product(block, t.small[b]);
}

// floor(e x log10(2)), never above the true value; |e| < 2^15.
int floorLog10OfPow2(int e) {
    return static_cast<int>((static_cast<long long>(e) * 84'732'411'018'727LL) >> 48);
}

long double extendedFrom(u64 significand, int biasedExponent) {
    long double value = 0.0L;
    const auto exponentBits = static_cast<std::uint16_t>(biasedExponent);
    std::memcpy(&value, &significand, sizeof significand);
    std::memcpy(reinterpret_cast<unsigned char*>(&value) + sizeof significand, &exponentBits,
                sizeof exponentBits);
    return value;
}

constexpr int ExactPowers = 28;
constexpr auto exactPowers = [] {
    struct {
        long double v[ExactPowers];
    } table{};
    long double p = 1.0L;
    for (int i = 0; i < ExactPowers; ++i) {
        table.v[i] = p;
        p *= 10.0L;
    }
    return table;
}();

} // namespace

ExtendedParts partsOf(long double value) {
    u64 significand = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&significand, &value, sizeof significand);
    std::memcpy(&signAndExponent,
                reinterpret_cast<const unsigned char*>(&value) + sizeof significand,
                sizeof signAndExponent);
    return {significand, signAndExponent & 0x7fff, (signAndExponent & 0x8000) != 0};
}

DecimalExpansion expandDecimal18(long double value) {
    const ExtendedParts parts = partsOf(value);
    u64 m = parts.significand;
    if (m == 0) {
        return {0, 0}; // not a number this can expand; callers pass non-zero values
    }
    // value = m x 2^q with m normalised to [2^63, 2^64); denormals are shifted up.
    int q = (parts.biasedExponent == 0 ? 1 : parts.biasedExponent) - ExponentBias - 63;
    const int shift = std::countl_zero(m);
    m <<= shift;
    q -= shift;

    int exponent = floorLog10OfPow2(q + 63) + 1;
    int lastMove = 0;
    for (;;) {
        const Wide ten = wideTen(18 - exponent);
        // W = m x ten.mant (192 bits: w2 w1 w0); value x 10^(18 - exponent) = W x 2^(q + exp2).
        const u128 low = static_cast<u128>(m) * static_cast<u64>(ten.mant);
        const u128 high = static_cast<u128>(m) * static_cast<u64>(ten.mant >> 64);
        const u128 middle = (low >> 64) + static_cast<u64>(high);
        const u64 w0 = static_cast<u64>(low);
        const u128 top = ((high >> 64) + (middle >> 64)) << 64 | static_cast<u64>(middle);
        // The scaled value is below 2^64 and above 2^53, so the shift past w0 is 63..76 bits.
        const int t = -(q + ten.exp2) - 64;
        const u64 whole = static_cast<u64>(top >> t);
        if (whole >= TenPow18 && lastMove >= 0) {
            ++exponent;
            lastMove = 1;
            continue;
        }
        if (whole < TenPow17 && lastMove <= 0) {
            --exponent;
            lastMove = -1;
            continue;
        }
        if (whole >= TenPow18 || whole < TenPow17) {
            // Only an inexact power sitting on 10^17 could swing back; the value is that power.
            return {TenPow17, whole < TenPow17 ? exponent : exponent + 1};
        }
        const u128 fractionMask = (static_cast<u128>(1) << t) - 1;
        const u128 half = static_cast<u128>(1) << (t - 1);
        const u128 fraction = top & fractionMask;
        u64 digits = whole;
        if (fraction > half || (fraction == half && (w0 != 0 || (digits & 1)))) {
            ++digits;
        }
        if (digits == TenPow18) {
            return {TenPow17, exponent + 1};
        }
        return {digits, exponent};
    }
}

long double powerOfTen(int k) {
    if (k < ExactPowers) {
        return exactPowers.v[k];
    }
    const Wide ten = wideTen(k);
    u64 significand = static_cast<u64>(ten.mant >> 64);
    const u64 rest = static_cast<u64>(ten.mant);
    int exp2 = ten.exp2 + 64; // value = significand x 2^exp2
    const u64 halfway = u64{1} << 63;
    if (rest > halfway || (rest == halfway && (significand & 1))) {
        if (++significand == 0) {
            significand = halfway;
            ++exp2;
        }
    }
    return extendedFrom(significand, exp2 + 63 + ExponentBias);
}

} // namespace calc
