#pragma once
// Number text: the decimal mark, the parse of a field's text and the fixed 5-digit format.

#include "base/failure.h"

#include <string>
#include <string_view>

namespace calc {

// The failure of ParseNumber: "'<text>' n'est pas une valeur en virgule flottante correcte".
class ConversionError : public base::Failure {
public:
    explicit ConversionError(std::string_view text);
};

// The process-wide decimal mark ('.' until set). One ASCII character.
char DecimalMark();
void SetDecimalMark(char mark);

// Text to number in extended precision; throws ConversionError. Leaves the caller's
// floating-point environment (flags included) as it found it.
long double ParseNumber(std::string_view text, char mark);
inline long double ParseNumber(std::string_view text) {
    return ParseNumber(text, DecimalMark());
}

// Number to text with 5 significant digits and `decimals` (0 or 1) decimals; a larger count
// is taken as 1, a negative one as 0. Never fails, never raises a floating-point flag.
std::string FormatNumber(long double value, int decimals, char mark);
inline std::string FormatNumber(long double value, int decimals) {
    return FormatNumber(value, decimals, DecimalMark());
}

} // namespace calc
