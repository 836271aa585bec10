#pragma once
// How legible a text colour is on a background, measured as the contrast ratio of their
// relative luminances (the measure of the web's accessibility guidelines), and the choice of a
// text colour that is legible. Pure C++: the windows convert their Qt colours.

namespace platform {

// An opaque colour, each channel 0 to 255 in the sRGB space.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// The contrast that normal-size text needs to be read comfortably (level AA).
inline constexpr double kLegibleContrast = 4.5;

// The colour's luminance, 0 for black to 1 for white, from its linearised channels.
double relativeLuminance(Rgb colour);

// (lighter + 0.05) / (darker + 0.05): from 1 (the same luminance) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

// `preferred` (the theme's text colour) when it reaches `minimum` on `background`, otherwise
// black or white, whichever stands out more. One of the two always reaches 4.5.
Rgb readableText(Rgb background, Rgb preferred, double minimum = kLegibleContrast);

// The colour closest to `preferred` that reaches `minimum` on `background`: `preferred` itself
// when it does, else `preferred` moved just far enough towards black or white (whichever stands
// out more). Keeps a dimmed text dimmed, but legible.
Rgb nearestLegible(Rgb background, Rgb preferred, double minimum = kLegibleContrast);

} // namespace platform
