#include "widgets/aligngrid/model/aligntypes.h"

#include "format/componentstreamtext.h"
#include "format/cp1252.h"
#include "widgets/aligngrid/model/streamproperties.h"

namespace aligngrid {

std::string_view storedTableName(StoredTable table) noexcept {
    // A table is stored under the name of the one property that writes it.
    for (const StreamProperty& property : streamProperties) {
        if (property.written() && property.table == table) {
            return property.name;
        }
    }
    return {};
}

namespace {

// A character's place in the code page's order: its byte when the code page has it, else after
// every byte, by code point; a malformed byte after every character.
std::uint32_t codePageKey(std::string_view text, std::size_t& pos) noexcept {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t next = pos;
    const std::optional<char32_t> c = format::nextUtf8(text, next);
    if (!c) {
        ++pos;
        return 0x110100u + lead;
    }
    pos = next;
    if (const std::optional<unsigned char> b = format::cp1252Byte(*c))
        return *b;
    return 0x100u + *c;
}

} // namespace

T_relation CompareTexts(std::string_view first, std::string_view second) noexcept {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < first.size() && j < second.size()) {
        const std::uint32_t a = codePageKey(first, i);
        const std::uint32_t b = codePageKey(second, j);
        if (a != b)
            return a > b ? rl_after : rl_before;
    }
    if (i < first.size())
        return rl_after;
    return j < second.size() ? rl_before : rl_equal;
}

} // namespace aligngrid
