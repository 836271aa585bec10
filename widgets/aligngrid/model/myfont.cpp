#include "widgets/aligngrid/model/myfont.h"

namespace aligngrid {

void TMyFont::setColor(TColor color) {
    color_ = color;
    change();
}

void TMyFont::setHeight(int height) {
    height_ = height;
    change();
}

void TMyFont::setName(std::string name) {
    name_ = std::move(name);
    change();
}

void TMyFont::setPitch(TFontPitch pitch) {
    pitch_ = pitch;
    change();
}

void TMyFont::setStyle(TFontStyles style) {
    style_ = style;
    change();
}

void TMyFont::Assign(const TMyFont& source) {
    if (&source != this) {
        color_ = source.color_;
        height_ = source.height_;
        name_ = source.name_;
        pitch_ = source.pitch_;
        style_ = source.style_;
    }
    change();
}

bool TMyFont::sameAttributes(const TMyFont& other) const noexcept {
    return color_ == other.color_ && height_ == other.height_ && name_ == other.name_ &&
           pitch_ == other.pitch_ && style_ == other.style_;
}

void TMyFont::change() {
    changed_ = true;
    if (onChange_)
        onChange_();
}

} // namespace aligngrid
