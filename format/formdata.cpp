#include "format/formdata.h"

#include "format/componentstreamreader.h"
#include "format/cp1252.h"

#include <optional>

namespace format {

namespace {

// The optional prefix of an object: 0xF0 with its filer flags in the low nibble.
constexpr std::uint8_t kPrefixMask = 0xF0;
constexpr std::uint8_t kChildPosFlag = 2;

FormObject readObject(ComponentReader& reader, int depth) {
    if (depth > kMaxStreamDepth) {
        throw StreamError(streammessage::kTooDeep);
    }
    FormObject object;
    if ((reader.peekRawByte() & kPrefixMask) == kPrefixMask) {
        object.filerFlags = reader.readRawByte() & 0x0F;
        if (object.filerFlags & kChildPosFlag) {
            object.childPos = reader.readInteger();
        }
    }
    object.className = reader.readName();
    object.name = reader.readName();
    while (!reader.endOfList()) {
        FormProperty property;
        property.name = reader.readPropName();
        property.value = reader.takeValue();
        object.properties.push_back(std::move(property));
    }
    reader.readListEnd();
    // A child may open with its prefix byte, which is no value tag: test for the end by hand.
    while (reader.peekRawByte() != 0) {
        object.children.push_back(readObject(reader, depth + 1));
    }
    reader.readListEnd();
    return object;
}

} // namespace

FormObject parseForm(std::string_view data) {
    ComponentReader reader(data);
    reader.readSignature();
    return readObject(reader, 0);
}

const FormObject* findObjectOfClass(const FormObject& root, std::string_view className) {
    if (root.className == className) {
        return &root;
    }
    for (const FormObject& child : root.children) {
        if (const FormObject* found = findObjectOfClass(child, className)) {
            return found;
        }
    }
    return nullptr;
}

FormWriter::FormWriter() {
    stream_.writeSignature();
}

void FormWriter::beginObject(std::string_view className, std::string_view name) {
    // The class name's length byte comes first in an object: from 0xF0 on, a reader takes it for
    // the prefix byte and misreads the object.
    const std::optional<std::string> bytes = utf8ToCp1252(className);
    if (bytes && bytes->size() >= kPrefixMask) {
        throw StreamError(streammessage::classNameTooLong(std::string(className)));
    }
    stream_.writeName(className);
    stream_.writeName(name);
}

} // namespace format
