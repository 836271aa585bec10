#include "calc/numbertext.h"

#include "calc/decimalexpansion.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <xmmintrin.h>

namespace calc {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The geometry finds its own faults by the floating-point flags: the inexact, underflow or
// overflow of a parse must not show up there, nor may a parse trap if traps are on. Saving and
// loading the whole environment costs more than the parse itself, so the usual case only looks at
// the status flags and clears what the parse added; the x87 unit does all of the parse's
// arithmetic.
class KeptFloatEnvironment {
public:
    KeptFloatEnvironment() {
        x87Flags_ = x87Status() & FlagBits;
        sseStatus_ = _mm_getcsr();
        if ((x87Control() & FlagBits) != FlagBits) {
            held_ = true; // some fault traps: hold them all for the while
            std::feholdexcept(&saved_);
        }
    }
    ~KeptFloatEnvironment() {
        if (held_) {
            std::fesetenv(&saved_);
            return;
        }
        if (_mm_getcsr() != sseStatus_) {
            _mm_setcsr(sseStatus_);
        }
        const unsigned flags = x87Status() & FlagBits;
        if (flags == x87Flags_) {
            return;
        }
        if (x87Flags_ == 0) {
            asm volatile("fnclex" ::: "memory");
            return;
        }
        X87Environment environment;
        asm volatile("fnstenv %0" : "=m"(environment)::"memory");
        environment.status =
            static_cast<std::uint16_t>((environment.status & ~FlagBits) | x87Flags_);
        asm volatile("fldenv %0" ::"m"(environment) : "memory");
    }
    KeptFloatEnvironment(const KeptFloatEnvironment&) = delete;
    KeptFloatEnvironment& operator=(const KeptFloatEnvironment&) = delete;

private:
    // Invalid, denormal, zero divide, overflow, underflow, precision: status flags and masks.
    static constexpr unsigned FlagBits = 0x3f;

    struct X87Environment {
        std::uint16_t control, unused1, status, unused2;
        std::uint32_t rest[5];
    };
    static unsigned x87Status() {
        std::uint16_t status = 0;
        asm volatile("fnstsw %0" : "=am"(status)::"memory");
        return status;
    }
    static unsigned x87Control() {
        std::uint16_t control = 0;
        asm volatile("fnstcw %0" : "=m"(control)::"memory");
        return control;
    }

    unsigned x87Flags_ = 0;
    unsigned sseStatus_ = 0;
    bool held_ = false;
    std::fenv_t saved_{};
};

// acc = acc x 10 + digit in extended precision. While the result stays below 2^64 every step
// is exact, so an integer does the same work faster.
class DigitAccumulator {
public:
    void add(int digit) {
        if (!extended_) {
            if (exact_ <= (UINT64_MAX - 9) / 10) {
                exact_ = exact_ * 10 + static_cast<std::uint64_t>(digit);
                return;
            }
            value_ = static_cast<long double>(exact_);
            extended_ = true;
        }
        value_ = value_ * 10.0L + static_cast<long double>(digit);
    }
    void add(std::string_view digits) {
        for (char c : digits) {
            add(c - '0');
        }
    }
    long double value() const { return extended_ ? value_ : static_cast<long double>(exact_); }

private:
    std::uint64_t exact_ = 0;
    long double value_ = 0.0L;
    bool extended_ = false;
};

// acc x 10^scale for the digits of a number; infinite when the accumulation or the scaling
// overflowed. Out of line so that its arithmetic stays inside the kept environment.
[[gnu::noinline]] long double valueOf(std::string_view whole, std::string_view fraction,
                                      long long scale) {
    DigitAccumulator acc;
    acc.add(whole);
    acc.add(fraction);
    long double value = acc.value();
    if (value == 0.0L || std::isinf(value)) {
        return value; // zero at any scale (not the invalid 0 x infinity); overflowed already
    }
    if (scale >= 0) {
        // The digits make at least 1, so beyond the largest power the result cannot be finite.
        return scale > MaxPowerOfTen ? HUGE_VALL : value * powerOfTen(static_cast<int>(scale));
    }
    // Divide step by step: an underflow to zero is a valid result, not a failure.
    while (scale < -MaxPowerOfTen && value != 0.0L) {
        value /= powerOfTen(MaxPowerOfTen);
        scale += MaxPowerOfTen;
    }
    return value == 0.0L ? value : value / powerOfTen(static_cast<int>(-scale));
}

const char* skipBlanks(const char* p, const char* end) {
    while (p != end && *p == ' ') {
        ++p;
    }
    return p;
}

const char* skipDigits(const char* p, const char* end) {
    while (p != end && isDigit(*p)) {
        ++p;
    }
    return p;
}

constexpr std::uint32_t tenTo[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
constexpr int SignificantDigits = 5;

// Appends a positive integer in decimal.
char* writeInteger(char* out, int value) {
    char reversed[12];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count != 0) {
        *out++ = reversed[--count];
    }
    return out;
}

} // namespace

ConversionError::ConversionError(std::string_view text)
    : base::Failure("'" + std::string(text) +
                    "' n'est pas une valeur en virgule flottante correcte") {}

long double ParseNumber(std::string_view text, char mark) {
    const char* const end = text.data() + text.size();
    const char* p = skipBlanks(text.data(), end);
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* digitsEnd = skipDigits(p, end);
    const std::string_view whole(p, static_cast<std::size_t>(digitsEnd - p));
    p = digitsEnd;
    std::string_view fraction;
    bool hasMark = false;
    if (p != end && *p == mark) {
        hasMark = true;
        digitsEnd = skipDigits(++p, end);
        fraction = std::string_view(p, static_cast<std::size_t>(digitsEnd - p));
        p = digitsEnd;
    }
    if (whole.empty() && !hasMark) {
        throw ConversionError(text);
    }
    int exponent = 0;
    if (p != end && (*p == 'E' || *p == 'e')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negativeExponent = *p == '-';
            ++p;
        }
        // The exponent stops growing at 500: any further digit is left over and fails below.
        while (p != end && isDigit(*p) && exponent < 500) {
            exponent = exponent * 10 + (*p++ - '0');
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (skipBlanks(p, end) != end) {
        throw ConversionError(text);
    }
    long double value = 0.0L;
    {
        const KeptFloatEnvironment kept;
        value = valueOf(whole, fraction, exponent - static_cast<long long>(fraction.size()));
    }
    if (std::isinf(value)) {
        throw ConversionError(text);
    }
    return negative ? -value : value;
}

std::string FormatNumber(long double value, int decimals, char mark) {
    decimals = decimals > 0 ? 1 : 0;
    const ExtendedParts parts = partsOf(value);
    if (parts.biasedExponent == 0x7fff ||
        (parts.biasedExponent != 0 && !(parts.significand >> 63))) {
        // Infinity has only its integer bit; every other pattern there is not a number.
        if (parts.significand << 1 != 0 || !(parts.significand >> 63)) {
            return "NAN";
        }
        return parts.negative ? "-INF" : "INF";
    }

    // The rounded digit string: `kept` holds its `length` digits, no trailing zeros.
    std::uint32_t kept = 0;
    int length = 0;
    int exponent = 0;
    if (parts.significand != 0) {
        const DecimalExpansion expansion = expandDecimal18(value);
        exponent = expansion.exponent;
        int n = exponent + decimals;
        if (n < 0) {
            exponent = 0;
        } else {
            n = n < SignificantDigits ? n : SignificantDigits;
            const auto leading =
                static_cast<std::uint32_t>(expansion.digits / 1'000'000'000'000ULL);
            kept = leading / tenTo[6 - n];
            const std::uint32_t dropped = leading / tenTo[5 - n] % 10;
            length = n;
            // Only the first dropped digit decides, so a tie goes away from zero.
            if (dropped >= 5 && ++kept == tenTo[n]) {
                kept = 1;
                length = 1;
                ++exponent;
            }
            while (length != 0 && kept % 10 == 0) {
                kept /= 10;
                --length;
            }
        }
    }

    char digits[SignificantDigits]{};
    for (int i = length - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + kept % 10);
        kept /= 10;
    }

    char buffer[24];
    char* out = buffer;
    if (parts.negative && length != 0) {
        *out++ = '-';
    }
    if (exponent > 5) {
        *out++ = digits[0];
        if (length > 1) {
            *out++ = mark;
            for (int i = 1; i < length; ++i) {
                *out++ = digits[i];
            }
        }
        *out++ = 'E';
        out = writeInteger(out, exponent - 1);
    } else {
        if (exponent > 0) {
            for (int i = 0; i < exponent; ++i) {
                *out++ = i < length ? digits[i] : '0';
            }
        } else {
            *out++ = '0';
        }
        if (decimals == 1) {
            *out++ = mark;
            *out++ = exponent >= 0 && exponent < length ? digits[exponent] : '0';
        }
    }
    return std::string(buffer, static_cast<std::size_t>(out - buffer));
}

} // namespace calc
