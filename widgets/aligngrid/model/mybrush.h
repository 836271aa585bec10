#pragma once
// A background brush of the grid's settings: colour and style. Pure C++; the grid turns it into
// a QBrush to paint. Changes set the changed flag and run the change callback, as for TMyFont.

#include "widgets/aligngrid/model/aligntypes.h"

#include <cstdint>
#include <functional>

namespace aligngrid {

enum TBrushStyle : std::uint8_t {
    bsSolid = 0,
    bsClear = 1,
    bsHorizontal = 2,
    bsVertical = 3,
    bsFDiagonal = 4,
    bsBDiagonal = 5,
    bsCross = 6,
    bsDiagCross = 7
};

class TMyBrush {
public:
    static constexpr TColor defaultColor = 0xFFFFFF; // white

    TMyBrush() = default;
    TMyBrush(const TMyBrush&) = delete;
    TMyBrush& operator=(const TMyBrush&) = delete;

    TColor Color() const noexcept { return color_; }
    TBrushStyle Style() const noexcept { return style_; }
    bool Changed() const noexcept { return changed_; }

    void setColor(TColor color);
    void setStyle(TBrushStyle style);
    void Assign(const TMyBrush& source);

    void setChangedFlag(bool changed) noexcept { changed_ = changed; }
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    bool sameAttributes(const TMyBrush& other) const noexcept {
        return color_ == other.color_ && style_ == other.style_;
    }

private:
    friend class AlignSettings; // keeps the grid's own brush in step with the grid's colour
    void change();

    TColor color_ = defaultColor;
    TBrushStyle style_ = bsSolid;
    bool changed_ = false;
    std::function<void()> onChange_;
};

} // namespace aligngrid
