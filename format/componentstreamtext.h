#pragma once
// UTF-8 and UTF-16 helpers of the component stream codec. Pure C++ (no Qt).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace format {

// Appends the UTF-8 form of the code point c (a scalar value: not a surrogate, at most 0x10FFFF).
void appendUtf8(std::string& out, char32_t c);

// Decodes the code point starting at pos and moves pos past it; nothing for a malformed, overlong
// or truncated sequence, a surrogate or a value beyond 0x10FFFF (pos is then left unspecified).
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& pos);

// True when the whole text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// UTF-16 code units (as read from little-endian bytes) to UTF-8; nothing for an unpaired
// surrogate.
std::optional<std::string> utf16ToUtf8(std::u16string_view units);

// Appends the UTF-16 code units of a UTF-8 text; a malformed sequence becomes U+FFFD.
void appendUtf16(std::u16string& out, std::string_view utf8);

} // namespace format
