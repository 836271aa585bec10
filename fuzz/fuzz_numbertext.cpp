// Any bytes as a field's text, read under both decimal marks: the parse either returns a finite
// value or raises ConversionError quoting the text; a value read is shown as a text that reads
// back to the same text; no floating-point flag is left behind.

#include "calc/numbertext.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, std::string_view text, char mark) {
    std::fprintf(stderr, "%s (mark %c): '%.*s'\n", what, mark, static_cast<int>(text.size()),
                 text.data());
    std::abort();
}

// Parses, checking the failure's message; false when the text is refused.
bool parsed(std::string_view text, char mark, long double& value) {
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
        value = calc::ParseNumber(text, mark);
    } catch (const calc::ConversionError& error) {
        const std::string expected =
            "'" + std::string(text) + "' n'est pas une valeur en virgule flottante correcte";
        if (error.message() != expected) {
            fail("wrong message", text, mark);
        }
        return false;
    }
    if (std::fetestexcept(FE_ALL_EXCEPT) != 0) {
        fail("flags left raised", text, mark);
    }
    if (!std::isfinite(value)) {
        fail("value not finite", text, mark);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (char mark : {',', '.'}) {
        long double value = 0;
        if (!parsed(text, mark, value)) {
            continue;
        }
        for (int decimals : {0, 1}) {
            const std::string shown = calc::FormatNumber(value, decimals, mark);
            if (shown == "NAN" || shown == "INF" || shown == "-INF") {
                fail("finite value shown as not finite", text, mark);
            }
            long double back = 0;
            if (!parsed(shown, mark, back)) {
                fail("shown text does not read back", shown, mark);
            }
            if (calc::FormatNumber(back, decimals, mark) != shown) {
                fail("shown text changes once read back", shown, mark);
            }
        }
    }
    return 0;
}
