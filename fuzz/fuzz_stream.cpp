// Feeds arbitrary bytes to the form data reader and the grid's stream properties. Any input must
// either be refused with a StreamError or be read; what was read must write out and read back.

#include "platform/formdata.h"
#include "widgets/aligngrid/alignsettings.h"
#include "widgets/aligngrid/alignstreamdata.h"
#include "widgets/aligngrid/alignstreamsettings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Shape : aligngrid::GridShape {
    int ColCount() const override { return 5; }
    int RowCount() const override { return 6; }
    int FixedCols() const override { return 1; }
    int FixedRows() const override { return 1; }
    aligngrid::TColor Color() const override { return 0x80000005; }
    aligngrid::TColor FixedColor() const override { return 0x8000000F; }
};

struct Texts : aligngrid::CellTextSource {
    std::string text(int col, int row) const override {
        return (col + row) % 3 == 0 ? std::string() : "\xC3\xA9\xE2\x86\x92";
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        platform::parseForm(input);
    } catch (const platform::StreamError&) {
    }

    Shape shape;
    aligngrid::AlignSettings settings(shape);
    try {
        aligngrid::GridFormData decoded = aligngrid::decodeGridForm(input);
        aligngrid::StreamTexts texts;
        aligngrid::applyDefinedProperties(settings, std::move(decoded.defined), texts);
        texts.take();
    } catch (const platform::StreamError&) {
        return 0;
    }

    // Our own output must always read back: a failure here is a fault of the writer.
    platform::FormWriter form;
    form.beginObject(aligngrid::gridClassName, "StringAlignGrid");
    aligngrid::writeDefinedProperties(settings, shape.ColCount(), shape.RowCount(), Texts(),
                                      form.stream());
    form.endProperties();
    form.endObject();
    const std::string again = form.take();
    try {
        aligngrid::decodeGridForm(again);
    } catch (const platform::StreamError&) {
        std::abort();
    }
    return 0;
}
