#include "calc/numbertext.h"

#include <cstdio>
#include <cstdlib>

namespace calc {
namespace {
char currentMark = '.';
} // namespace

ConversionError::ConversionError(std::string_view text)
    : platform::Failure("'" + std::string(text) + "' n'est pas une valeur en virgule flottante correcte") {}

char DecimalMark() { return currentMark; }
void SetDecimalMark(char mark) { currentMark = mark; }

long double ParseNumber(std::string_view text, char /*mark*/) {
    throw ConversionError(text);
}

std::string FormatNumber(long double value, int decimals, char /*mark*/) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    return buffer;
}

} // namespace calc
