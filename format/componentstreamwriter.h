#pragma once
// Writes component stream values into a growing byte string. Pure C++ (no Qt).

#include "format/componentstream.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace format {

class ComponentWriter {
public:
    // The bytes written so far.
    const std::string& data() const noexcept { return data_; }
    std::string take() noexcept { return std::move(data_); }
    void reserve(std::size_t bytes) { data_.reserve(bytes); }

    void writeSignature();
    // A name (property, class, component, set member): one length byte and its code-page bytes.
    // A name that does not fit (over 255 bytes or outside the code page) raises StreamError.
    void writeName(std::string_view utf8);
    void writePropName(std::string_view utf8) { writeName(utf8); }

    // The smallest of the 1-, 2- and 4-byte forms that holds the value; the 8-byte form only
    // beyond 32 bits.
    void writeInteger(std::int64_t value);
    // A UTF-8 text: the code page's bytes in the short form up to 255 bytes, else the long form;
    // a text with a character the code page lacks is kept whole as the UTF-8 value.
    void writeString(std::string_view utf8);
    void writeIdent(std::string_view name);
    void writeBoolean(bool value);
    void writeSet(std::span<const std::string_view> members);
    void writeSet(std::initializer_list<std::string_view> members) {
        writeSet(std::span<const std::string_view>(members.begin(), members.size()));
    }
    void writeListBegin() { writeTag(ValueType::List); }
    void writeListEnd() { writeTag(ValueType::Null); }
    void writeBinary(std::span<const std::uint8_t> bytes);

    // A byte block filled in place: begin, append the records, end (which sets its length).
    std::size_t beginBinary();
    void appendU8(std::uint8_t value) { data_.push_back(static_cast<char>(value)); }
    void appendU16(std::uint16_t value);
    void endBinary(std::size_t begun);

private:
    void writeTag(ValueType tag) { data_.push_back(static_cast<char>(tag)); }
    void appendLE(std::uint64_t value, int bytes);
    void writeCodePageString(std::string_view bytes);

    std::string data_;
};

} // namespace format
