#include "calc/decimalexpansion.h"

#include <QTest>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

// The C library's correctly rounded 18 significant digits, as 0.d1..d18 x 10^exponent.
calc::DecimalExpansion reference(long double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", std::fabs(value));
    std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
    for (int i = 2; i < 19; ++i) {
        digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    return {digits, std::atoi(text + 20) + 1};
}

long double fromBits(std::uint64_t significand, std::uint16_t signAndExponent) {
    unsigned char raw[sizeof(long double)] = {};
    std::memcpy(raw, &significand, 8);
    std::memcpy(raw + 8, &signAndExponent, 2);
    long double value = 0;
    std::memcpy(&value, raw, sizeof value);
    return value;
}

} // namespace

class TestDecimalExpansion : public QObject {
    Q_OBJECT

private slots:
    void matchesTheCorrectlyRoundedDigits();
    void carriesIntoANineteenthDigit();
    void powersOfTenAreCorrectlyRounded();
};

void TestDecimalExpansion::matchesTheCorrectlyRoundedDigits() {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    int inexactScalings = 0;
    for (int i = 0; i < 200000; ++i) {
        // Every exponent of the format, normal and denormal, either sign.
        const auto exponent = static_cast<std::uint16_t>(bits(random) % 0x7fff);
        std::uint64_t significand = bits(random);
        if (exponent != 0) {
            significand |= std::uint64_t{1} << 63;
        } else {
            significand >>= bits(random) % 64;
        }
        if (significand == 0) {
            continue;
        }
        const long double value =
            fromBits(significand, static_cast<std::uint16_t>(exponent | (i & 1) << 15));
        const calc::DecimalExpansion ours = calc::expandDecimal18(value);
        const calc::DecimalExpansion exact = reference(value);
        QCOMPARE(ours.exponent, exact.exponent);
        // Where the power of ten that scales to 18 digits is exact the digits are too;
        // elsewhere the last digit may be one off, as the format allows.
        const int scale = 18 - exact.exponent;
        if (scale >= 0 && scale < 55) {
            QCOMPARE(ours.digits, exact.digits);
        } else if (ours.digits != exact.digits) {
            ++inexactScalings;
            QVERIFY2(ours.digits + 1 == exact.digits || ours.digits == exact.digits + 1,
                     qPrintable(QString::number(double(value))));
        }
    }
    // A last-digit difference needs a value on a rounding boundary: far below one in a thousand.
    QVERIFY(inexactScalings < 200);
}

void TestDecimalExpansion::carriesIntoANineteenthDigit() {
    const calc::DecimalExpansion belowOne = calc::expandDecimal18(std::nextafter(1.0L, 0.0L));
    QCOMPARE(belowOne.digits, std::uint64_t{100'000'000'000'000'000});
    QCOMPARE(belowOne.exponent, 1);
    const calc::DecimalExpansion tiny = calc::expandDecimal18(LDBL_TRUE_MIN);
    QCOMPARE(tiny.exponent, -4950);
    const calc::DecimalExpansion largest = calc::expandDecimal18(-LDBL_MAX);
    QCOMPARE(largest.digits, std::uint64_t{118'973'149'535'723'177});
    QCOMPARE(largest.exponent, 4933);
}

void TestDecimalExpansion::powersOfTenAreCorrectlyRounded() {
    for (int k = 0; k <= calc::MaxPowerOfTen; ++k) {
        const std::string text = "1e" + std::to_string(k);
        if (calc::powerOfTen(k) != std::strtold(text.c_str(), nullptr)) {
            QFAIL(qPrintable(QString::fromStdString(text)));
        }
    }
}

QTEST_APPLESS_MAIN(TestDecimalExpansion)
#include "tst_decimalexpansion.moc"
