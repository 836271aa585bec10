#include "format/cp1252.h"

#include "format/componentstreamtext.h"

#include <array>
#include <cstdint>

namespace format {

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::optional<unsigned char> cp1252Byte(char32_t c) noexcept {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

bool isAscii(std::string_view text) noexcept {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x80) {
            out.push_back(b);
        } else if (u < 0xA0) {
            appendUtf8(out, kHighControls[u - 0x80]);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out.push_back(utf8[pos++]); // ASCII, most of any text: no decoding
            continue;
        }
        const std::optional<char32_t> c = nextUtf8(utf8, pos);
        if (!c) {
            return std::nullopt;
        }
        const std::optional<unsigned char> b = cp1252Byte(*c);
        if (!b) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*b));
    }
    return out;
}

} // namespace format
