#include "widgets/aligngrid/hintchain.h"

#include <vector>

namespace aligngrid {

namespace {

struct Entry {
    const void* owner; // null for the application's own handler
    stringgrid::ShowHintHandler handler;
};

class HintChain {
public:
    void add(const void* owner, stringgrid::ShowHintHandler handler) {
        // The application's handler is taken when the first grid comes, not when the chain is
        // built, and given back when the last grid goes: between grids the chain holds nothing,
        // so a handler the application installs meanwhile is the one the next grids call last.
        if (!hasGrid()) {
            entries_.clear();
            if (auto original = stringgrid::showHintHandler())
                entries_.push_back({nullptr, std::move(original)});
        }
        entries_.push_back({owner, std::move(handler)});
        stringgrid::setShowHintHandler(
            [this](QString& text, bool& canShow, stringgrid::HintInfo& info) {
                dispatch(text, canShow, info);
            });
    }

    void remove(const void* owner) {
        if (!hasGrid())
            return;
        for (auto i = entries_.size(); i-- > 0;)
            if (entries_[i].owner == owner)
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        if (!hasGrid())
            restoreOriginal();
    }

    // Without a grid, the application's handler is the one in place.
    std::size_t size() const {
        return hasGrid() ? entries_.size() : (stringgrid::showHintHandler() ? 1 : 0);
    }

private:
    bool hasGrid() const {
        for (const auto& entry : entries_)
            if (entry.owner)
                return true;
        return false;
    }

    void restoreOriginal() {
        stringgrid::ShowHintHandler original;
        if (!entries_.empty())
            original = std::move(entries_.front().handler);
        entries_.clear();
        stringgrid::setShowHintHandler(std::move(original));
    }

    void dispatch(QString& text, bool& canShow, stringgrid::HintInfo& info) {
        // A handler may unregister (a grid destroyed while its hint shows): walk a copy.
        const std::vector<Entry> entries = entries_;
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            it->handler(text, canShow, info);
    }

    std::vector<Entry> entries_;
};

// One per process, as the application's show-hint event whose handler it replaces (the hook in
// stringgrid/hinthook, an event filter on the application object): every grid of every window
// registers in the same chain.
HintChain& chain() {
    static HintChain instance;
    return instance;
}

} // namespace

void registerHintHandler(const void* owner, stringgrid::ShowHintHandler handler) {
    chain().add(owner, std::move(handler));
}

void unregisterHintHandler(const void* owner) {
    chain().remove(owner);
}

std::size_t hintHandlerCount() {
    return chain().size();
}

} // namespace aligngrid
