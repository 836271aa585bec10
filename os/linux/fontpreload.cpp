#include "os/fontpreload.h"

#include <fontconfig/fontconfig.h>
#include <system_error>

namespace os {

FontPreload::FontPreload() {
    try {
        // At the priority of the start itself, which waits for it: a thread of a lower class
        // gets almost no time while anything else runs, and the whole start would wait.
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread: Qt loads it at its first font.
    }
}

} // namespace os
