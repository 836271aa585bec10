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
    HintChain() {
        // The handler the application had before any grid, called last.
        if (auto original = stringgrid::showHintHandler())
            entries_.push_back({nullptr, std::move(original)});
    }
    HintChain(const HintChain&) = delete;
    HintChain& operator=(const HintChain&) = delete;

    void add(const void* owner, stringgrid::ShowHintHandler handler) {
        entries_.push_back({owner, std::move(handler)});
        stringgrid::setShowHintHandler(
            [this](QString& text, bool& canShow, stringgrid::HintInfo& info) {
                dispatch(text, canShow, info);
            });
    }

    void remove(const void* owner) {
        for (auto i = entries_.size(); i-- > 0;)
            if (entries_[i].owner == owner)
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        if (!hasGrid())
            restoreOriginal();
    }

    std::size_t size() const { return entries_.size(); }

private:
    bool hasGrid() const {
        for (const auto& entry : entries_)
            if (entry.owner)
                return true;
        return false;
    }

    void restoreOriginal() {
        stringgrid::setShowHintHandler(entries_.empty() ? stringgrid::ShowHintHandler{}
                                                        : entries_.front().handler);
    }

    void dispatch(QString& text, bool& canShow, stringgrid::HintInfo& info) {
        // A handler may unregister (a grid destroyed while its hint shows): walk a copy.
        const std::vector<Entry> entries = entries_;
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            it->handler(text, canShow, info);
    }

    std::vector<Entry> entries_;
};

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
