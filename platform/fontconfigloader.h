#pragma once
// The system's font configuration (fontconfig's configuration files and its caches of every
// installed font) loaded on a thread of its own. It is the largest single piece of start-up work
// (5.5 ms of processor time, of about 44 ms for the whole start), and Qt does it at its first
// font: begun before the application object, it runs on another core while Qt starts, and Qt
// then finds it loaded. Measured without it against with it, in the same runs of
// bench_startup: 0.971, 1.064 and 1.117 idle, 1.073, 1.157 and 1.026 with both cores busy (41,
// 61 and 61 rounds): the start takes about 6 % longer idle and 7 % busy without it (medians),
// on a machine shared with builds, where the same program against itself read 0.94 to 1.19.
// Only where fontconfig is (fontpreload/fontconfig.cpp); elsewhere it does nothing.

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
