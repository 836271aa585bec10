#include "platform/contrast.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

double linear(int channel) {
    const double c = std::clamp(channel, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Rgb mix(Rgb from, Rgb to, double t) {
    const auto channel = [t](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * t));
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

Rgb strongerExtreme(Rgb background) {
    return contrastRatio(background, kBlack) >= contrastRatio(background, kWhite) ? kBlack : kWhite;
}

} // namespace

double relativeLuminance(Rgb colour) {
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableText(Rgb background, Rgb preferred, double minimum) {
    return contrastRatio(background, preferred) >= minimum ? preferred
                                                           : strongerExtreme(background);
}

Rgb nearestLegible(Rgb background, Rgb preferred, double minimum) {
    const Rgb extreme = strongerExtreme(background);
    // The contrast need not grow steadily on the way (the path may cross the background's
    // luminance), so walk it in small steps and stop at the first colour that is enough.
    constexpr int steps = 64;
    for (int i = 0; i < steps; ++i) {
        const Rgb candidate = mix(preferred, extreme, double(i) / steps);
        if (contrastRatio(background, candidate) >= minimum)
            return candidate;
    }
    return extreme;
}

} // namespace platform
