#include "os/fontpreload.h"

namespace os {

// Nothing to load ahead: Qt asks the system for each font as it needs it.
FontPreload::FontPreload() = default;

} // namespace os
