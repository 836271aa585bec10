#pragma once
// Windows code page 1252, the 8-bit character set of the component stream's texts, to and from
// UTF-8. Pure C++ (no Qt).

#include <optional>
#include <string>
#include <string_view>

namespace format {

// Every byte has a character: the five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the C1 control of the same number, as the platform's own conversion does, so
// that any byte string survives a trip through UTF-8 and back.
std::string cp1252ToUtf8(std::string_view bytes);

// The code page bytes of a UTF-8 text, or nothing when the text holds a character that the code
// page lacks (or is not valid UTF-8): a caller then keeps the text in UTF-8 rather than lose it.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

// The code page's byte of one character, or nothing when the code page lacks it.
std::optional<unsigned char> cp1252Byte(char32_t c) noexcept;

// True when every byte is below 0x80: the text is the same in both encodings.
bool isAscii(std::string_view text) noexcept;

} // namespace format
