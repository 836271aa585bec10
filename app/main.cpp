#include "app/program.h"
#include "os/fontpreload.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Loads on another core while Qt starts; the program waits for it before its first font.
    os::FontPreload fontConfig;
    QApplication application(argc, argv);
    app::Program program(&fontConfig);
    return program.run();
}
