#include "os/windowplacement.h"

namespace os {

// X11 lets a program move its windows; a Wayland compositor places them on its own.
bool platformPlacesWindows(QStringView platformName) {
    return !platformName.startsWith(u"wayland");
}

} // namespace os
