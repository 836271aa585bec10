#include "os/fontpreload.h"

#include <fontconfig/fontconfig.h>
#include <pthread.h>
#include <sched.h>
#include <system_error>

namespace os {

FontPreload::FontPreload() {
    try {
        thread_ = std::thread([] {
            // Only on a core nothing else wants: Qt's start waits on its D-Bus thread, the
            // session bus and the X server, and none of them should wait for this.
            sched_param lowest{};
            pthread_setschedparam(pthread_self(), SCHED_IDLE, &lowest);
            FcInit();
        });
    } catch (const std::system_error&) {
        // No thread: Qt loads it at its first font.
    }
}

} // namespace os
