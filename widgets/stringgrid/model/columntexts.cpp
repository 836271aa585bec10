#include "widgets/stringgrid/model/columntexts.h"

#include <limits>
#include <stdexcept>

namespace stringgrid {

namespace {

// Replaced and removed texts leave their units behind; they are squeezed out once they are
// both the larger part of the buffer and worth a copy.
constexpr std::size_t kCompactFrom = 4096;

} // namespace

std::u16string_view ColumnTexts::find(int row) const noexcept {
    const Span* span = spans_.find(row);
    return span ? view(*span) : std::u16string_view();
}

void ColumnTexts::store(int row, std::u16string_view text) {
    if (text.empty()) {
        if (row < 0)
            throw base::ListIndexError(row);
        remove(row);
        return;
    }
    if (units_.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("column texts beyond 4 Gi units");
    const Span span{static_cast<std::uint32_t>(units_.size()),
                    static_cast<std::uint32_t>(text.size())};
    const Span* earlier = spans_.find(row);
    if (earlier)
        forget(*earlier);
    spans_.store(row, span); // raises before the units are added for a negative row
    units_.append(text);
    compactIfWasteful();
}

void ColumnTexts::remove(int row) {
    if (const Span* span = spans_.find(row)) {
        forget(*span);
        spans_.remove(row);
        compactIfWasteful();
    }
}

void ColumnTexts::truncate(int length) {
    for (const auto& [row, span] : spans_)
        if (row >= length)
            forget(span);
    spans_.truncate(length);
    compactIfWasteful();
}

void ColumnTexts::reserve(std::size_t texts, std::size_t units) {
    spans_.reserve(texts);
    units_.reserve(units);
}

void ColumnTexts::compactIfWasteful() {
    if (spans_.empty()) {
        units_.clear();
        units_.shrink_to_fit();
        unused_ = 0;
        return;
    }
    if (unused_ < kCompactFrom || unused_ * 2 < units_.size())
        return;
    std::u16string kept;
    kept.reserve(units_.size() - unused_);
    spans_.forEachPresent([&](int, Span& span) {
        const std::u16string_view text = view(span);
        span.offset = static_cast<std::uint32_t>(kept.size());
        kept.append(text);
    });
    units_ = std::move(kept);
    unused_ = 0;
}

} // namespace stringgrid
