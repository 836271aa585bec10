#include "widgets/aligngrid/model/mybrush.h"

namespace aligngrid {

void TMyBrush::setColor(TColor color) {
    color_ = color;
    change();
}

void TMyBrush::setStyle(TBrushStyle style) {
    style_ = style;
    change();
}

void TMyBrush::Assign(const TMyBrush& source) {
    if (&source != this) {
        color_ = source.color_;
        style_ = source.style_;
    }
    change();
}

void TMyBrush::change() {
    changed_ = true;
    if (onChange_)
        onChange_();
}

} // namespace aligngrid
