#include "os/windowplacement.h"

namespace os {

// Without a system of its own the program leaves every window where Qt puts it.
bool platformPlacesWindows(QStringView /*platformName*/) {
    return false;
}

} // namespace os
