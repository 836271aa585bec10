#include "calc/numbertext.h"

#include <QTest>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

Q_DECLARE_METATYPE(long double)

using calc::ConversionError;
using calc::FormatNumber;
using calc::ParseNumber;

namespace {

// The texts of the tables are written with ","; under "." every "," becomes ".".
std::string withMark(const char* text, char mark) {
    std::string out(text);
    for (char& c : out) {
        if (c == ',') {
            c = mark;
        }
    }
    return out;
}

std::string conversionMessage(const std::string& text) {
    return "'" + text + "' n'est pas une valeur en virgule flottante correcte";
}

// The message of the failure ParseNumber raised, or "" when it returned.
std::string failureOf(const std::string& text, char mark) {
    try {
        ParseNumber(text, mark);
    } catch (const ConversionError& error) {
        return error.message();
    }
    return {};
}

long double ulpOf(long double x) {
    return std::nextafter(std::fabs(x), std::numeric_limits<long double>::infinity()) -
           std::fabs(x);
}

// The faults the geometry reads. MinGW's FE_ALL_EXCEPT also holds the x87 unit's denormal
// operand flag, which glibc's leaves out and nothing here reads.
constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW | FE_INEXACT;

// Unmasks the faults in `faults` (FE_* bits) on both units, the x87's control word and SSE's
// MXCSR, and masks the others, as glibc's feenableexcept does; written with the units' own
// instructions so that the test runs with every C library (MinGW's has no feenableexcept).
void trapFaults(int faults) {
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>((control | FE_ALL_EXCEPT) & ~faults);
    asm volatile("fldcw %0" : : "m"(control));
    constexpr int kSseMaskShift = 7;
    unsigned int sse = 0;
    asm volatile("stmxcsr %0" : "=m"(sse));
    sse = (sse | (unsigned{FE_ALL_EXCEPT} << kSseMaskShift)) &
          ~(static_cast<unsigned>(faults) << kSseMaskShift);
    asm volatile("ldmxcsr %0" : : "m"(sse));
}

// The faults that the x87 unit traps.
int trappedFaults() {
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    return ~control & FE_ALL_EXCEPT;
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void formatsTheWorkedExamples_data();
    void formatsTheWorkedExamples();
    void formatsBeyondTheExamples_data();
    void formatsBeyondTheExamples();
    void parsesTheExamples_data();
    void parsesTheExamples();
    void rejectsTheBadTexts_data();
    void rejectsTheBadTexts();
    void parseIsCloseToTheCorrectlyRoundedValue();
    void parseKeepsTheSignOfZero();
    void formattedTextsParseBackToTheSameText_data();
    void formattedTextsParseBackToTheSameText();
    void decimalMarkDrivesBothConversions();
    void parseLeavesTheFloatingPointFlagsAlone();
    void parseDoesNotTrapWhenFaultsTrap();
};

void TestNumberText::formatsTheWorkedExamples_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<char>("mark");
    QTest::addColumn<QString>("expected");

    struct Row {
        const char* name;
        long double value;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {"three digits need no rounding", 795, 0, "795"},
        {"a dropped 5 rounds up", 248.523L, 0, "249"},
        {"four digits before the mark keep four", 1234.56L, 0, "1235"},
        {"five digits with one decimal", 1234.56L, 1, "1234,6"},
        {"five digits all before the mark show a 0 decimal", 12345.67L, 1, "12346,0"},
        {"the true decimal is not shown at 10000 and above", 12345.4L, 1, "12345,0"},
        {"a carry past the first digit", 9999.96L, 1, "10000,0"},
        {"99999 stays in the fixed form", 99999.4L, 0, "99999"},
        {"rounding up to 100000 switches to the scientific form", 99999.5L, 0, "1E5"},
        {"100000 drops its trailing zeros", 100000, 0, "1E5"},
        {"the scientific form ignores no decimals", 123456.7L, 0, "1,2346E5"},
        {"the scientific form ignores one decimal", 123456.7L, 1, "1,2346E5"},
        {"a negative value in the scientific form", -123456.7L, 0, "-1,2346E5"},
        {"a carry removes the trailing digits", 129996, 0, "1,3E5"},
        {"a million and a fifth", 1200000, 0, "1,2E6"},
        {"a power far beyond five digits", 1e20L, 0, "1E20"},
        {"0.6 becomes 1 with no digit kept", 0.6L, 0, "1"},
        {"0.5 ties away from zero", 0.5L, 0, "1"},
        {"0.4 rounds to 0", 0.4L, 0, "0"},
        {"-0.4 loses its sign", -0.4L, 0, "0"},
        {"-0.5 ties away from zero", -0.5L, 0, "-1"},
        {"2.5 ties away from zero", 2.5L, 0, "3"},
        {"-12.5 ties away from zero", -12.5L, 0, "-13"},
        {"a value below the requested place is 0", 0.00004L, 0, "0"},
        {"a value below the requested place is 0,0", 0.00004L, 1, "0,0"},
        {"0.25 is an exact tie rounded up", 0.25L, 1, "0,3"},
        {"-0.25 is an exact tie rounded away from zero", -0.25L, 1, "-0,3"},
        {"0.04 rounds to 0,0", 0.04L, 1, "0,0"},
        {"-0.04 shows no minus sign", -0.04L, 1, "0,0"},
        {"0.05 rounds up to 0,1", 0.05L, 1, "0,1"},
        {"9.96 carries into a new digit", 9.96L, 1, "10,0"},
        {"45 shows a 0 decimal", 45, 1, "45,0"},
        {"the start angle", 49.778311L, 1, "49,8"},
        {"zero with no decimals", 0, 0, "0"},
        {"minus zero with no decimals", -0.0L, 0, "0"},
        {"zero with one decimal", 0, 1, "0,0"},
    };
    for (const Row& row : rows) {
        for (char mark : {',', '.'}) {
            QTest::addRow("%s (mark %c)", row.name, mark)
                << row.value << row.decimals << mark
                << QString::fromStdString(withMark(row.text, mark));
        }
    }
}

void TestNumberText::formatsTheWorkedExamples() {
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(char, mark);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatNumber(value, decimals, mark)), expected);
    // Callers hold 64-bit doubles: the same text must come from the rounded value.
    QCOMPARE(QString::fromStdString(FormatNumber(static_cast<double>(value), decimals, mark)),
             expected);
}

void TestNumberText::formatsBeyondTheExamples_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    const long double inf = std::numeric_limits<long double>::infinity();
    QTest::newRow("not a number") << std::numeric_limits<long double>::quiet_NaN() << 0 << "NAN";
    QTest::newRow("infinity") << inf << 1 << "INF";
    QTest::newRow("negative infinity") << -inf << 0 << "-INF";
    QTest::newRow("the largest extended value") << LDBL_MAX << 0 << "1,1897E4932";
    QTest::newRow("the largest negative value") << -LDBL_MAX << 1 << "-1,1897E4932";
    QTest::newRow("a value beyond any double") << 3.5e4000L << 0 << "3,5E4000";
    QTest::newRow("the smallest denormal is 0") << LDBL_TRUE_MIN << 1 << "0,0";
    QTest::newRow("a tiny negative value is 0") << -LDBL_TRUE_MIN << 0 << "0";
    QTest::newRow("the largest double") << static_cast<long double>(DBL_MAX) << 0 << "1,7977E308";
    QTest::newRow("a 64-bit integer") << 18446744073709551615.0L << 0 << "1,8447E19";
    // The 18-digit expansion rounds first: 0.24999...9986 becomes 0.25 and then ties upward.
    QTest::newRow("one step below 0.25 rounds through 18 digits")
        << std::nextafter(0.25L, 0.0L) << 1 << "0,3";
    QTest::newRow("far enough below 0.25 rounds down") << 0.2499999999L << 1 << "0,2";
    QTest::newRow("one step below 1 carries into a 19th digit")
        << std::nextafter(1.0L, 0.0L) << 1 << "1,0";
    QTest::newRow("99999.49 keeps five digits") << 99999.49L << 1 << "99999,0";
    QTest::newRow("a negative tie at 10000") << -12345.5L << 0 << "-12346";
    QTest::newRow("two decimals are taken as one") << 1.26L << 2 << "1,3";
    QTest::newRow("negative decimals are taken as none") << 1.26L << -3 << "1";
}

void TestNumberText::formatsBeyondTheExamples() {
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatNumber(value, decimals, ',')), expected);
}

void TestNumberText::parsesTheExamples_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<char>("mark");
    QTest::addColumn<long double>("expected");

    struct Row {
        const char* name;
        const char* text;
        long double value;
    };
    const Row rows[] = {
        {"plain digits", "12", 12},
        {"spaces before and after", " 12 ", 12},
        {"many spaces around", "   12      ", 12},
        {"a plus sign", "+12", 12},
        {"a minus sign", "-12", -12},
        {"a decimal", "12,5", 12.5L},
        {"a trailing zero decimal", "12,50", 12.5L},
        {"a trailing mark", "12,", 12},
        {"a leading mark", ",5", 0.5L},
        {"a lone mark", ",", 0},
        {"a lone mark between spaces", " , ", 0},
        {"a minus sign and a lone mark", "-,", 0},
        {"an exponent", "1E3", 1000},
        {"a lower-case exponent with a sign", "1e+3", 1000},
        {"a negative exponent", "25e-1", 2.5L},
        {"a decimal with an exponent", "1,5E2", 150},
        {"an exponent marker alone", "1E", 1},
        {"an exponent marker and a sign alone", "1E+", 1},
        {"an exponent marker and a minus alone", "7e-", 7},
        {"a mark before the exponent", "3,E1", 30},
        {"a lone mark with an exponent", ",E7", 0},
        {"an exponent with leading zeros", "1E0000000000003", 1000},
        {"an exponent read whole up to 4999", "1E-4999", 0},
        {"a large exponent within range", "1E4932", 1e4932L},
        {"the largest extended value", "1,18973149535723176502E4932", LDBL_MAX},
        {"digits far past the mark", "0,0000000000000000000000000000001", 1e-31L},
        {"digits beyond the 64-bit range", "123456789012345678901234567890",
         1.2345678901234567890e29L},
        {"zero scaled beyond every power", "0E4999", 0},
        {"a value that scales down to a denormal", "1E-4940", 1e-4940L},
    };
    for (const Row& row : rows) {
        for (char mark : {',', '.'}) {
            QTest::addRow("%s (mark %c)", row.name, mark)
                << QByteArray::fromStdString(withMark(row.text, mark)) << mark << row.value;
        }
    }
    // Another character than the mark is no mark.
    QTest::newRow("a comma under a comma-free locale") << QByteArray("12") << ';' << 12.0L;
}

void TestNumberText::parsesTheExamples() {
    QFETCH(QByteArray, text);
    QFETCH(char, mark);
    QFETCH(long double, expected);
    const long double value = ParseNumber(text.toStdString(), mark);
    QVERIFY2(std::fabs(value - expected) <= ulpOf(expected),
             qPrintable(QStringLiteral("%1 read as %2").arg(text, QString::number(double(value)))));
}

void TestNumberText::rejectsTheBadTexts_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<char>("mark");

    const char* const bothMarks[] = {
        "",      "   ", "-",     "+",     "+-1",  "--1",    "- 1",    "E3",      "e",
        "1 000", "12a", "1,2,3", "12\t",  "\t12", "1E5000", "1E4999", "1E-5000", "1,2E4932",
        "INF",   "NAN", "1,5%",  "12 ,5", "1E 3", "1E++3",  "0x10",   "1.000,5", "12\n",
    };
    for (const char* text : bothMarks) {
        for (char mark : {',', '.'}) {
            const std::string own = withMark(text, mark);
            std::string name = own;
            for (char& c : name) {
                c = c == '\t' ? 'T' : c == '\n' ? 'N' : c;
            }
            QTest::addRow("[%s] (mark %c)", name.c_str(), mark)
                << QByteArray::fromStdString(own) << mark;
        }
    }
    QTest::newRow("a full stop under a comma") << QByteArray("12.5") << ',';
    QTest::newRow("a comma under a full stop") << QByteArray("12,5") << '.';
    QTest::newRow("a digit grouping under a comma") << QByteArray("1.000") << ',';
    QTest::newRow("a text with a zero byte") << QByteArray("12\0", 3) << ',';
    QTest::newRow("an accumulation that overflows")
        << QByteArray("1" + QByteArray(4935, '0') + "E-4000") << ',';
    QTest::newRow("a non-ASCII mark is no digit") << QByteArray("12\xc2\xa0") << ',';
}

void TestNumberText::rejectsTheBadTexts() {
    QFETCH(QByteArray, text);
    QFETCH(char, mark);
    // The message quotes the text unchanged, blanks included.
    QCOMPARE(failureOf(text.toStdString(), mark), conversionMessage(text.toStdString()));
}

void TestNumberText::parseIsCloseToTheCorrectlyRoundedValue() {
    // Every decimal power, and a few mantissas, against the C library's correctly rounded
    // reading: the powers of ten must be right over the whole range.
    for (int k = -4950; k <= 4932; ++k) {
        for (const char* digits : {"1", "7", "123456789", "98765432109876543"}) {
            const std::string text = std::string(digits) + "E" + std::to_string(k);
            const long double reference = std::strtold(text.c_str(), nullptr);
            if (std::isinf(reference)) {
                QCOMPARE(failureOf(text, '.'), conversionMessage(text));
                continue;
            }
            const long double value = ParseNumber(text, '.');
            // Below the normal range the spacing is the denormal one.
            const long double tolerance = std::max(ulpOf(reference), LDBL_TRUE_MIN) * 2;
            if (!(std::fabs(value - reference) <= tolerance)) {
                QFAIL(qPrintable(QString::fromStdString(text + " is off its correct value")));
            }
        }
    }
}

void TestNumberText::parseKeepsTheSignOfZero() {
    for (const char* text : {"-0", "-,", "-0,000", "-0E99", "-1E-4999"}) {
        const long double value = ParseNumber(text, ',');
        QVERIFY2(value == 0 && std::signbit(value), text);
    }
    QVERIFY(!std::signbit(ParseNumber("0", ',')));
    QVERIFY(!std::signbit(ParseNumber("+0", ',')));
}

void TestNumberText::formattedTextsParseBackToTheSameText_data() {
    QTest::addColumn<char>("mark");
    QTest::addColumn<int>("decimals");
    for (char mark : {',', '.'}) {
        for (int decimals : {0, 1}) {
            QTest::addRow("mark %c, %d decimals", mark, decimals) << mark << decimals;
        }
    }
}

void TestNumberText::formattedTextsParseBackToTheSameText() {
    QFETCH(char, mark);
    QFETCH(int, decimals);
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 30);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        long double value = 0;
        if (i % 4 == 3) {
            // Any finite extended value, from its bits.
            const std::uint64_t significand = bits(random) | (std::uint64_t{1} << 63);
            const auto signAndExponent = static_cast<std::uint16_t>(bits(random) % 0xffff);
            unsigned char raw[sizeof(long double)] = {};
            std::memcpy(raw, &significand, 8);
            std::memcpy(raw + 8, &signAndExponent, 2);
            std::memcpy(&value, raw, sizeof value);
        } else {
            // Mostly the workshop's range, as the callers' doubles.
            value = static_cast<double>(mantissa(random) * std::pow(10.0, exponent(random)));
        }
        const std::string text = FormatNumber(value, decimals, mark);
        try {
            const long double back = ParseNumber(text, mark);
            if (FormatNumber(back, decimals, mark) != text) {
                QFAIL(qPrintable(QString::fromStdString(text + " formats differently once read")));
            }
        } catch (const ConversionError&) {
            QFAIL(qPrintable(QString::fromStdString(text + " does not read back")));
        }
    }
}

void TestNumberText::decimalMarkDrivesBothConversions() {
    char mark = ',';
    QCOMPARE(ParseNumber("2,5", mark), 2.5L);
    QCOMPARE(FormatNumber(2.25L, 1, mark), std::string("2,3"));
    QCOMPARE(failureOf("2.5", mark), conversionMessage("2.5"));

    mark = '.';
    QCOMPARE(ParseNumber("2.5", mark), 2.5L);
    QCOMPARE(FormatNumber(2.25L, 1, mark), std::string("2.3"));
    QVERIFY_THROWS_EXCEPTION(ConversionError, ParseNumber("2,5", mark));
}

void TestNumberText::parseLeavesTheFloatingPointFlagsAlone() {
    std::feclearexcept(FE_ALL_EXCEPT);
    ParseNumber("0,1", ',');                                         // inexact
    ParseNumber("1E-4999", ',');                                     // underflow
    ParseNumber("1E-4940", ',');                                     // denormal result
    QCOMPARE(failureOf("1E4999", ','), conversionMessage("1E4999")); // overflow
    QCOMPARE(failureOf("1" + std::string(5000, '1'), ','),
             conversionMessage("1" + std::string(5000, '1')));
    FormatNumber(std::numeric_limits<long double>::quiet_NaN(), 1, ',');
    FormatNumber(LDBL_TRUE_MIN, 1, ',');
    QCOMPARE(std::fetestexcept(kFaults), 0);

    // A fault the caller had already raised stays raised, whichever unit raised it.
    std::feraiseexcept(FE_DIVBYZERO);
    ParseNumber("0,1", ',');
    QCOMPARE(std::fetestexcept(kFaults), FE_DIVBYZERO);
    std::feclearexcept(FE_ALL_EXCEPT);

    volatile long double zero = 0.0L;
    volatile long double caller = 1.0L / zero; // the x87 unit's own division by zero
    Q_UNUSED(caller);
    ParseNumber("1E-4999", ',');
    QCOMPARE(failureOf("1E4999", ','), conversionMessage("1E4999"));
    QCOMPARE(std::fetestexcept(kFaults), FE_DIVBYZERO);
    std::feclearexcept(FE_ALL_EXCEPT);
}

void TestNumberText::parseDoesNotTrapWhenFaultsTrap() {
    // With the faults unmasked an overflow inside the parse would stop the program.
    trapFaults(FE_OVERFLOW | FE_UNDERFLOW | FE_INEXACT);
    const QString overflow = QString::fromStdString(failureOf("1E4999", ','));
    const long double tiny = ParseNumber("1E-4999", ',');
    const long double tenth = ParseNumber("0,1", ',');
    const int trapping = trappedFaults();
    trapFaults(0);
    QCOMPARE(overflow, QString::fromStdString(conversionMessage("1E4999")));
    QCOMPARE(tiny, 0.0L);
    QCOMPARE(tenth, 0.1L);
    QCOMPARE(trapping, FE_OVERFLOW | FE_UNDERFLOW | FE_INEXACT);
    QCOMPARE(std::fetestexcept(kFaults), 0);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
