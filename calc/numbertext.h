#pragma once
// Number text: the parse of a field's text and the fixed 5-digit format. Both take the decimal
// mark from their caller (one ASCII character), who reads it from the locale at the moment of use.

#include "base/failure.h"

#include <string>
#include <string_view>

namespace calc {

// The failure of ParseNumber: "'<text>' n'est pas une valeur en virgule flottante correcte".
class ConversionError : public base::Failure {
public:
    explicit ConversionError(std::string_view text);
};

// Text to number in extended precision; throws ConversionError. Leaves the caller's
// floating-point environment (flags included) as it found it.
long double ParseNumber(std::string_view text, char mark);

// Number to text with 5 significant digits and `decimals` (0 or 1) decimals; a larger count
// is taken as 1, a negative one as 0. Never fails, never raises a floating-point flag.
std::string FormatNumber(long double value, int decimals, char mark);

} // namespace calc
