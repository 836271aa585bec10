#include "resources/resources.h"

#include <QtGlobal>

// Qt's registration functions live in the global namespace, so they are called from here.
static void registerEmbeddedData() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(forms);
}

namespace resources {

void load() {
    static const bool loaded = [] {
        registerEmbeddedData();
        return true;
    }();
    (void)loaded;
}

} // namespace resources
