#pragma once
// The process-wide chain of show-hint handlers. The application has one show-hint event, and
// every aligned grid needs its own handler for its cell hints: each grid registers one, the
// chain's dispatcher is installed as the application's handler and calls every registered one,
// the newest first, and the handler the application had when the first of them registered
// last; when the last grid goes, the application gets that handler back and the chain is empty.

#include "widgets/stringgrid/hinthook.h"

#include <cstddef>

namespace aligngrid {

// Appends a handler for owner and (re)installs the dispatcher.
void registerHintHandler(const void* owner, stringgrid::ShowHintHandler handler);

// Removes every handler of owner. When the last grid's handler goes, the application gets its
// own handler back.
void unregisterHintHandler(const void* owner);

// The number of handlers in the chain, the application's own one included.
std::size_t hintHandlerCount();

} // namespace aligngrid
