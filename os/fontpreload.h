#pragma once
// The system's font configuration loaded ahead, on a thread of its own, where
// the system has one to load: on Linux fontconfig's configuration files and its
// caches of every installed font, the largest single piece of start-up work,
// which Qt does at its first font. Begun before the application object, it runs
// on another core while Qt starts, and Qt then finds it loaded. Windows keeps
// its fonts in the system and has nothing to load ahead
// (os/<system>/fontpreload.cpp).

#include <thread>

namespace os {

class FontPreload {
public:
  // Begins loading. Where no thread can be had, Qt loads the configuration
  // itself, as always.
  FontPreload();
  // Waits for the loading to end.
  ~FontPreload();
  FontPreload(const FontPreload &) = delete;
  FontPreload &operator=(const FontPreload &) = delete;

  // Waits for the loading to end. Call it before the first font: fontconfig
  // does not wait for a load under way, it starts another.
  void wait();

private:
  std::thread thread_;
};

} // namespace os
