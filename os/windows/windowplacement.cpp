#include "os/windowplacement.h"

namespace os {

// Windows lets a program place its windows, whatever Qt platform draws them.
bool platformPlacesWindows(QStringView /*platformName*/) {
    return true;
}

} // namespace os
