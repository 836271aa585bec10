// Any texts in the five fields and any mode: the calculation completes, rejects the input or
// raises one of the three arithmetic faults; it never shows an infinity or a NaN, never writes a
// text the fields cannot read back, and never stores a non-finite dimension.
#include "calc/numbertext.h"
#include "calc/panelgeometry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool allFinite(const calc::PanelDimensions& p) {
    for (const double value :
         {p.GrandExt, p.PetitExt, p.Largeur, p.LargBois, p.Angle, p.PanneauPH, p.PanneauGH}) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const char mark = (data[0] & 0x80) != 0 ? ',' : '.';
    const int mode = (data[0] & 0x7f) % 5; // 3 and 4 stand for indexes with no mode

    // The rest is five field texts separated by newlines.
    std::string fieldTexts[5];
    int field = 0;
    for (size_t i = 1; i < size && field < 5; ++i) {
        if (data[i] == '\n') {
            ++field;
        } else {
            fieldTexts[field] += static_cast<char>(data[i]);
        }
    }
    const calc::PanelFields fields{fieldTexts[0], fieldTexts[1], fieldTexts[2], fieldTexts[3],
                                   fieldTexts[4]};

    calc::PanelDimensions panel;
    const auto sink = [mark](calc::PanelOutput, const std::string& text) {
        if (text.find("INF") != std::string::npos || text.find("NAN") != std::string::npos) {
            std::abort();
        }
        (void)calc::ParseNumber(text, mark); // throws, and so aborts, if it does not read back
    };
    try {
        calc::computePanel(fields, mark, mode, panel, sink);
    } catch (const base::ArithmeticFault&) {
        // one of the three faults: shown by the caller
    }
    if (!allFinite(panel)) {
        std::abort();
    }
    return 0;
}
