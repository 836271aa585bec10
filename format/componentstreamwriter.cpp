#include "format/componentstreamwriter.h"

#include "format/cp1252.h"

#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>

namespace format {

void ComponentWriter::appendLE(std::uint64_t value, int bytes) {
    // One append rather than a growth check a byte: every integer of a form comes through here.
    std::array<char, sizeof value> le{};
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(le.data(), &value, sizeof value);
    } else {
        for (std::size_t i = 0; i < le.size(); ++i) {
            le[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }
    data_.append(le.data(), static_cast<std::size_t>(bytes));
}

void ComponentWriter::appendU16(std::uint16_t value) {
    appendLE(value, 2);
}

void ComponentWriter::writeSignature() {
    data_.append(kFormSignature, 4);
}

void ComponentWriter::writeName(std::string_view utf8) {
    const std::optional<std::string> bytes = utf8ToCp1252(utf8);
    if (!bytes || bytes->size() > 255) {
        throw StreamError(streammessage::nameTooLong(std::string(utf8)));
    }
    data_.push_back(static_cast<char>(bytes->size()));
    data_.append(*bytes);
}

void ComponentWriter::writeInteger(std::int64_t value) {
    const auto raw = static_cast<std::uint64_t>(value);
    if (value >= -128 && value <= 127) {
        writeTag(ValueType::Int8);
        appendLE(raw, 1);
    } else if (value >= -32768 && value <= 32767) {
        writeTag(ValueType::Int16);
        appendLE(raw, 2);
    } else if (value >= std::numeric_limits<std::int32_t>::min() &&
               value <= std::numeric_limits<std::int32_t>::max()) {
        writeTag(ValueType::Int32);
        appendLE(raw, 4);
    } else {
        writeTag(ValueType::Int64);
        appendLE(raw, 8);
    }
}

void ComponentWriter::writeCodePageString(std::string_view bytes) {
    if (bytes.size() <= 255) {
        writeTag(ValueType::String);
        data_.push_back(static_cast<char>(bytes.size()));
    } else {
        writeTag(ValueType::LString);
        appendLE(bytes.size(), 4);
    }
    data_.append(bytes);
}

void ComponentWriter::writeString(std::string_view utf8) {
    if (isAscii(utf8)) {
        writeCodePageString(utf8);
        return;
    }
    if (const std::optional<std::string> bytes = utf8ToCp1252(utf8)) {
        writeCodePageString(*bytes);
        return;
    }
    writeTag(ValueType::Utf8String);
    appendLE(utf8.size(), 4);
    data_.append(utf8);
}

void ComponentWriter::writeIdent(std::string_view name) {
    writeTag(ValueType::Ident);
    writeName(name);
}

void ComponentWriter::writeBoolean(bool value) {
    writeTag(value ? ValueType::True : ValueType::False);
}

void ComponentWriter::writeSet(std::span<const std::string_view> members) {
    writeTag(ValueType::Set);
    for (std::string_view member : members) {
        writeName(member);
    }
    data_.push_back(0);
}

void ComponentWriter::writeBinary(std::span<const std::uint8_t> bytes) {
    writeTag(ValueType::Binary);
    appendLE(bytes.size(), 4);
    data_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::size_t ComponentWriter::beginBinary() {
    writeTag(ValueType::Binary);
    const std::size_t begun = data_.size();
    appendLE(0, 4);
    return begun;
}

void ComponentWriter::endBinary(std::size_t begun) {
    const std::uint64_t length = data_.size() - begun - 4;
    for (int i = 0; i < 4; ++i) {
        data_[begun + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    }
}

} // namespace format
