#pragma once
// A font of the grid's settings: colour, height, face name, pitch and style. Pure C++; the grid
// turns it into a QFont to paint.
//
// Every assignment of an attribute (or copying another font in) is a change: it sets the
// changed flag, which decides whether the font is written to the form data, and then runs the
// change callback (the grid repaints).

#include "widgets/aligngrid/model/aligntypes.h"

#include <cstdint>
#include <functional>
#include <string>

namespace aligngrid {

enum TFontPitch : std::uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

// Style bits; a font's style is any combination of them.
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

class TMyFont {
public:
    static constexpr TColor defaultColor = 0x80000008; // window text
    static constexpr int defaultHeight = -11;          // 11 px character height (8 pt)
    static constexpr const char* defaultName = "MS Sans Serif";

    TMyFont() = default;
    TMyFont(const TMyFont&) = delete;
    TMyFont& operator=(const TMyFont&) = delete;

    TColor Color() const noexcept { return color_; }
    // Negative: character height in pixels; positive: cell height in pixels.
    int Height() const noexcept { return height_; }
    const std::string& Name() const noexcept { return name_; } // UTF-8
    TFontPitch Pitch() const noexcept { return pitch_; }
    TFontStyles Style() const noexcept { return style_; }
    bool Changed() const noexcept { return changed_; }

    void setColor(TColor color);
    void setHeight(int height);
    void setName(std::string name);
    void setPitch(TFontPitch pitch);
    void setStyle(TFontStyles style);
    // Copies every attribute of source: one change.
    void Assign(const TMyFont& source);

    // The changed flag is the object's own record of whether it was ever changed; the form
    // reader may need to reset it after building a font.
    void setChangedFlag(bool changed) noexcept { changed_ = changed; }
    // Run after every change, once the changed flag is set.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // Same attributes (the changed flag and callback are not attributes).
    bool sameAttributes(const TMyFont& other) const noexcept;

private:
    void change();

    TColor color_ = defaultColor;
    int height_ = defaultHeight;
    std::string name_ = defaultName;
    TFontPitch pitch_ = fpDefault;
    TFontStyles style_ = 0;
    bool changed_ = false;
    std::function<void()> onChange_;
};

} // namespace aligngrid
