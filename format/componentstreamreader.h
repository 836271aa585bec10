#pragma once
// Reads component stream values from a block of bytes that the caller keeps alive. Every read
// checks the tag and the length against the bytes left, so no input reads past its data or
// allocates more than its own size; a bad value raises StreamError. Pure C++ (no Qt).

#include "format/componentstream.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace format {

// A byte block handed to a property reader: its bytes, its size and a read position.
class ByteBlock {
public:
    explicit ByteBlock(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t size() const noexcept { return bytes_.size(); }
    std::size_t position() const noexcept { return position_; }
    std::size_t left() const noexcept { return bytes_.size() - position_; }
    // Reading past the end raises StreamError.
    std::uint8_t readU8();
    std::uint16_t readU16();

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

class ComponentReader {
public:
    explicit ComponentReader(std::string_view data) : data_(data) {}

    std::size_t position() const noexcept { return position_; }
    std::string_view data() const noexcept { return data_; }
    bool atEnd() const noexcept { return position_ >= data_.size(); }

    // The tag of the next value, without reading it; an unknown tag raises StreamError.
    ValueType nextValue() const;

    void readSignature();
    // One byte outside any value (the prefix of an object in form data).
    std::uint8_t peekRawByte() const { return peekByte(); }
    std::uint8_t readRawByte() { return readByte(); }
    std::string readName(); // a length byte and code-page bytes, as UTF-8
    std::string readPropName() { return readName(); }

    // An integer in the 1-, 2- or 4-byte form; any other value is "Valeur de propriété
    // incorrecte".
    std::int32_t readInteger();
    // The same, also accepting the 8-byte form.
    std::int64_t readInt64();
    // A text in any of its forms (short or long code-page string, UTF-8, UTF-16), as UTF-8.
    std::string readString();
    std::string readIdent();
    bool readBoolean();
    std::vector<std::string> readSet();
    void readListBegin();
    // True when the next value is the end of a list (it is not read).
    bool endOfList() const;
    void readListEnd();
    ByteBlock readBinary();

    // Reads over one value of any kind, checking it as it goes.
    void skipValue();
    // The raw bytes of the next value (its tag included), checked and read over.
    std::string_view takeValue();

private:
    std::uint8_t peekByte() const;
    std::uint8_t readByte();
    std::uint64_t readLE(int bytes);
    std::string_view readBytes(std::uint64_t count);
    std::uint32_t readLength();
    void expect(ValueType tag);
    void skipValue(int depth);
    void skipProperties(int depth);

    std::string_view data_;
    std::size_t position_ = 0;
};

// Nesting of lists, collections and objects that a reader follows before it gives up.
inline constexpr int kMaxStreamDepth = 64;

} // namespace format
