#include "platform/fontconfigloader.h"

#include <fontconfig/fontconfig.h>
#include <system_error>

namespace platform {

FontConfigLoader::FontConfigLoader() {
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread: Qt loads it at its first font.
    }
}

FontConfigLoader::~FontConfigLoader() {
    wait();
}

void FontConfigLoader::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace platform
