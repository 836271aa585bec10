#include "os/fontpreload.h"

namespace os {

FontPreload::~FontPreload() {
    wait();
}

void FontPreload::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace os
