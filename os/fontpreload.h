#pragma once
// The system's font configuration loaded ahead, on a thread of its own, where the system has one
// to load: on Linux fontconfig's configuration files and its caches of every installed font. It
// is the largest single piece of start-up work (5.5 ms of processor time, of about 44 ms for the
// whole start), and Qt does it at its first font: begun before the application object, it runs
// on another core while Qt starts, and Qt then finds it loaded. Measured without it against with
// it, in the same runs of bench_startup: 0.971, 1.064 and 1.117 idle, 1.073, 1.157 and 1.026
// with both cores busy (41, 61 and 61 rounds): the start takes about 6 % longer idle and 7 % busy
// without it (medians), on a machine shared with builds, where the same program against itself
// read 0.94 to 1.19. Windows keeps its fonts in the system and has nothing to load ahead
// (os/<system>/fontpreload.cpp).

#include <thread>

namespace os {

class FontPreload {
public:
    // Begins loading. Where no thread can be had, Qt loads the configuration itself, as always.
    FontPreload();
    // Waits for the loading to end.
    ~FontPreload();
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

    // Waits for the loading to end. Call it before the first font: fontconfig does not wait for
    // a load under way, it starts another.
    void wait();

private:
    std::thread thread_;
};

} // namespace os
