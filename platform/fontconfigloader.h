#pragma once
// The system's font configuration (fontconfig's configuration files and its caches of every
// installed font) loaded on a thread of its own. It is the largest single piece of start-up work,
// and Qt does it at its first font: begun before the application object, it runs on another
// core while Qt starts, and Qt then finds it loaded.

#include <thread>

namespace platform {

class FontConfigLoader {
public:
    // Begins loading. Where no thread can be had, Qt loads the configuration itself, as always.
    FontConfigLoader();
    // Waits for the loading to end.
    ~FontConfigLoader();
    FontConfigLoader(const FontConfigLoader&) = delete;
    FontConfigLoader& operator=(const FontConfigLoader&) = delete;

    // Waits for the loading to end. Call it before the first font: fontconfig does not wait for
    // a load under way, it starts another.
    void wait();

private:
    std::thread thread_;
};

} // namespace platform
