#pragma once
// The settings model as its tests build it: on a test shape, counting its repaints.

#include "aligngrid/gridtestsupport.h"
#include "widgets/aligngrid/model/alignsettings.h"

namespace gridtest {

struct SettingsModel {
    TestShape shape;
    int repaints = 0;
    aligngrid::AlignSettings settings{shape, [this] { ++repaints; }};
};

inline aligngrid::TMyFont& fontNamed(aligngrid::TMyFont& font, const char* name) {
    font.setName(name);
    return font;
}

} // namespace gridtest
