#include "app/program.h"
#include "platform/fontconfigloader.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Loads on another core while Qt starts; the program waits for it before its first font.
    platform::FontConfigLoader fontConfig;
    QApplication application(argc, argv);
    app::Program program(&fontConfig);
    return program.run();
}
