#include "format/componentstreamreader.h"

#include "format/componentstreamtext.h"
#include "format/cp1252.h"

#include <bit>
#include <cstring>
#include <optional>

namespace format {

namespace {

[[noreturn]] void badValue() {
    throw StreamError(streammessage::kBadValue);
}
[[noreturn]] void truncated() {
    throw StreamError(streammessage::kTruncated);
}

bool knownTag(std::uint8_t tag) {
    return tag <= static_cast<std::uint8_t>(ValueType::Utf8String);
}

} // namespace

std::uint8_t ByteBlock::readU8() {
    if (left() < 1) {
        truncated();
    }
    return bytes_[position_++];
}

std::uint16_t ByteBlock::readU16() {
    if (left() < 2) {
        truncated();
    }
    const auto value = static_cast<std::uint16_t>(bytes_[position_] | (bytes_[position_ + 1] << 8));
    position_ += 2;
    return value;
}

std::uint8_t ComponentReader::peekByte() const {
    if (atEnd()) {
        truncated();
    }
    return static_cast<std::uint8_t>(data_[position_]);
}

std::uint8_t ComponentReader::readByte() {
    const std::uint8_t b = peekByte();
    ++position_;
    return b;
}

std::uint64_t ComponentReader::readLE(int bytes) {
    if (data_.size() - position_ < static_cast<std::size_t>(bytes)) {
        truncated();
    }
    std::uint64_t value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // One load instead of a shift a byte: every integer of a form comes through here.
        std::memcpy(&value, data_.data() + position_, static_cast<std::size_t>(bytes));
    } else {
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(data_[position_ + i]))
                     << (8 * i);
        }
    }
    position_ += bytes;
    return value;
}

std::string_view ComponentReader::readBytes(std::uint64_t count) {
    if (count > data_.size() - position_) {
        truncated();
    }
    const std::string_view bytes = data_.substr(position_, count);
    position_ += count;
    return bytes;
}

std::uint32_t ComponentReader::readLength() {
    return static_cast<std::uint32_t>(readLE(4));
}

ValueType ComponentReader::nextValue() const {
    const std::uint8_t tag = peekByte();
    if (!knownTag(tag)) {
        throw StreamError(streammessage::unknownTag(tag));
    }
    return static_cast<ValueType>(tag);
}

void ComponentReader::expect(ValueType tag) {
    if (nextValue() != tag) {
        badValue();
    }
    ++position_;
}

void ComponentReader::readSignature() {
    if (data_.size() - position_ < 4 ||
        data_.substr(position_, 4) != std::string_view(kFormSignature, 4)) {
        throw StreamError(streammessage::kBadSignature);
    }
    position_ += 4;
}

std::string ComponentReader::readName() {
    const std::uint8_t length = readByte();
    return cp1252ToUtf8(readBytes(length));
}

std::int32_t ComponentReader::readInteger() {
    switch (nextValue()) {
    case ValueType::Int8:
        ++position_;
        return static_cast<std::int8_t>(readLE(1));
    case ValueType::Int16:
        ++position_;
        return static_cast<std::int16_t>(readLE(2));
    case ValueType::Int32:
        ++position_;
        return static_cast<std::int32_t>(readLE(4));
    default:
        badValue();
    }
}

std::int64_t ComponentReader::readInt64() {
    if (nextValue() == ValueType::Int64) {
        ++position_;
        return static_cast<std::int64_t>(readLE(8));
    }
    return readInteger();
}

std::string ComponentReader::readString() {
    switch (nextValue()) {
    case ValueType::String: {
        ++position_;
        const std::uint8_t length = readByte();
        return cp1252ToUtf8(readBytes(length));
    }
    case ValueType::LString:
        ++position_;
        return cp1252ToUtf8(readBytes(readLength()));
    case ValueType::Utf8String: {
        ++position_;
        const std::string_view bytes = readBytes(readLength());
        if (!isValidUtf8(bytes)) {
            throw StreamError(streammessage::kBadText);
        }
        return std::string(bytes);
    }
    case ValueType::WString: {
        ++position_;
        const std::uint64_t units = readLength();
        const std::string_view bytes = readBytes(units * 2);
        std::u16string text(units, u'\0');
        for (std::size_t i = 0; i < units; ++i) {
            text[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                            (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
        }
        std::optional<std::string> utf8 = utf16ToUtf8(text);
        if (!utf8) {
            throw StreamError(streammessage::kBadText);
        }
        return std::move(*utf8);
    }
    default:
        badValue();
    }
}

std::string ComponentReader::readIdent() {
    expect(ValueType::Ident);
    return readName();
}

bool ComponentReader::readBoolean() {
    switch (nextValue()) {
    case ValueType::False:
        ++position_;
        return false;
    case ValueType::True:
        ++position_;
        return true;
    default:
        badValue();
    }
}

std::vector<std::string> ComponentReader::readSet() {
    expect(ValueType::Set);
    std::vector<std::string> members;
    for (;;) {
        std::string name = readName();
        if (name.empty()) {
            return members;
        }
        members.push_back(std::move(name));
    }
}

void ComponentReader::readListBegin() {
    expect(ValueType::List);
}

bool ComponentReader::endOfList() const {
    // Only the end mark counts: what follows may be a name, whose length byte is no value tag.
    return peekByte() == static_cast<std::uint8_t>(ValueType::Null);
}

void ComponentReader::readListEnd() {
    expect(ValueType::Null);
}

ByteBlock ComponentReader::readBinary() {
    expect(ValueType::Binary);
    const std::string_view bytes = readBytes(readLength());
    return ByteBlock(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void ComponentReader::skipValue() {
    skipValue(0);
}

std::string_view ComponentReader::takeValue() {
    const std::size_t begun = position_;
    skipValue(0);
    return data_.substr(begun, position_ - begun);
}

void ComponentReader::skipProperties(int depth) {
    while (!endOfList()) {
        readName();
        skipValue(depth);
    }
    ++position_;
}

void ComponentReader::skipValue(int depth) {
    if (depth > kMaxStreamDepth) {
        throw StreamError(streammessage::kTooDeep);
    }
    const ValueType tag = nextValue();
    switch (tag) {
    case ValueType::List:
        ++position_;
        while (!endOfList()) {
            skipValue(depth + 1);
        }
        ++position_;
        break;
    case ValueType::Int8:
    case ValueType::Int16:
    case ValueType::Int32:
        readInteger();
        break;
    case ValueType::Int64:
        readInt64();
        break;
    case ValueType::Extended:
        ++position_;
        readBytes(10);
        break;
    case ValueType::Single:
        ++position_;
        readBytes(4);
        break;
    case ValueType::Currency:
    case ValueType::Date:
        ++position_;
        readBytes(8);
        break;
    // Code-page bytes are all valid: read over without converting (a grid's texts are
    // read over whole when its form data is parsed).
    case ValueType::String:
        ++position_;
        readBytes(readByte());
        break;
    case ValueType::LString:
        ++position_;
        readBytes(readLength());
        break;
    case ValueType::Utf8String:
    case ValueType::WString:
        readString();
        break;
    case ValueType::Ident:
        readIdent();
        break;
    case ValueType::False:
    case ValueType::True:
    case ValueType::Nil:
        ++position_;
        break;
    case ValueType::Binary:
        readBinary();
        break;
    case ValueType::Set:
        readSet();
        break;
    case ValueType::Collection:
        // Items, each an optional order integer and a list of properties.
        ++position_;
        while (!endOfList()) {
            const ValueType next = nextValue();
            if (next == ValueType::Int8 || next == ValueType::Int16 || next == ValueType::Int32) {
                readInteger();
            }
            readListBegin();
            skipProperties(depth + 1);
        }
        ++position_;
        break;
    case ValueType::Null:
        // An end of list where a value belongs.
        badValue();
    }
}

} // namespace format
