#pragma once
// Form data: a whole component stream ("TPF0", then one object with its properties and its
// child objects). Reading checks the whole stream first and keeps each property's value as its
// raw bytes, so that a component can interpret its properties without touching anything until
// every one of them has been read. Pure C++ (no Qt).

#include "format/componentstreamwriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace format {

struct FormProperty {
    std::string name;
    std::string_view value; // the value's bytes, tag included, inside the parsed data
};

struct FormObject {
    std::string className;
    std::string name;
    std::uint8_t filerFlags = 0; // inherited 1, child position 2, inline 4
    std::optional<std::int32_t> childPos;
    std::vector<FormProperty> properties; // in stream order
    std::vector<FormObject> children;
};

// Parses the form data whole; the objects refer into data, which must outlive them. Any fault
// raises StreamError. Bytes after the root object are ignored.
FormObject parseForm(std::string_view data);

// The first object, depth first from root (root included), of the given class; nullptr if none.
const FormObject* findObjectOfClass(const FormObject& root, std::string_view className);

// Writes form data: the signature, then objects as begin / properties / endProperties /
// children / endObject.
class FormWriter {
public:
    FormWriter();

    ComponentWriter& stream() noexcept { return stream_; }
    void beginObject(std::string_view className, std::string_view name);
    void endProperties() { stream_.writeListEnd(); }
    void endObject() { stream_.writeListEnd(); }
    std::string take() noexcept { return stream_.take(); }

private:
    ComponentWriter stream_;
};

} // namespace format
