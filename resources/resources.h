#pragma once
// The program's embedded pictures (":/pictures", ":/glyphs", ":/icons") and form data
// (":/forms").

namespace resources {

// Registers the embedded data; every window that reads it calls this first. Cheap after the
// first call.
void load();

} // namespace resources
