#pragma once
// What the cutting list reads from the main window at the moment it is shown.

#include "calc/cuttinglist.h"

class TMainForm;

namespace ui {

// The edits' current texts, the result labels' captions and the two panel heights of the last
// complete calculation, as `mainForm` holds them now.
calc::CuttingListSource cuttingListSource(const TMainForm& mainForm);

} // namespace ui
