// Where fontconfig is not there: nothing is loaded ahead, and Qt loads its fonts at the first
// one, as always.

#include "platform/fontconfigloader.h"

namespace platform {

FontConfigLoader::FontConfigLoader() = default;

FontConfigLoader::~FontConfigLoader() = default;

void FontConfigLoader::wait() {}

} // namespace platform
