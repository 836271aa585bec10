// Feeds arbitrary bytes to the form data reader and the grid's stream properties. Any input must
// either be refused with a StreamError or be read; what was read must write out and read back
// into an equal grid: the same texts, the same entries in every setting table, the same flags.

#include "format/formdata.h"
#include "widgets/aligngrid/model/alignsettings.h"
#include "widgets/aligngrid/model/alignsettingsdiff.h"
#include "widgets/aligngrid/model/alignstreamdata.h"
#include "widgets/aligngrid/model/alignstreamsettings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace {

struct Shape : aligngrid::GridShape {
    int ColCount() const override { return 5; }
    int RowCount() const override { return 6; }
    int FixedCols() const override { return 1; }
    int FixedRows() const override { return 1; }
    aligngrid::TColor Color() const override { return 0x80000005; }
    aligngrid::TColor FixedColor() const override { return 0x8000000F; }
};

using Texts = std::map<std::pair<int, int>, std::string>;

// The texts a grid of the shape holds once loaded: those read for its cells, none empty.
Texts loadedTexts(aligngrid::StreamTexts& read, const Shape& shape) {
    Texts texts;
    for (aligngrid::CellItem<std::string>& item : read.take()) {
        if (item.col < shape.ColCount() && item.row < shape.RowCount() && !item.value.empty()) {
            texts[{item.col, item.row}] = std::move(item.value);
        }
    }
    return texts;
}

struct TextSource : aligngrid::CellTextSource {
    explicit TextSource(const Texts& texts) : texts_(texts) {}
    std::string text(int col, int row) const override {
        const auto found = texts_.find({col, row});
        return found == texts_.end() ? std::string() : found->second;
    }
    const Texts& texts_;
};

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "round trip differs:\n%s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        format::parseForm(input);
    } catch (const format::StreamError&) {
    }

    const Shape shape;
    aligngrid::AlignSettings settings(shape);
    Texts texts;
    try {
        aligngrid::GridFormData decoded = aligngrid::decodeGridForm(input);
        aligngrid::StreamTexts read;
        aligngrid::applyDefinedProperties(settings, std::move(decoded.defined), read);
        texts = loadedTexts(read, shape);
    } catch (const format::StreamError&) {
        return 0;
    }

    // Our own output must always read back, and into the same grid: a failure here is a fault
    // of the writer or of the reader.
    format::FormWriter form;
    form.beginObject(aligngrid::gridClassName, "StringAlignGrid");
    aligngrid::writeDefinedProperties(settings, shape.ColCount(), shape.RowCount(),
                                      TextSource(texts), form.stream());
    form.endProperties();
    form.endObject();
    const std::string written = form.take();
    aligngrid::AlignSettings again(shape);
    Texts textsAgain;
    try {
        aligngrid::GridFormData decoded = aligngrid::decodeGridForm(written);
        aligngrid::StreamTexts read;
        aligngrid::applyDefinedProperties(again, std::move(decoded.defined), read);
        textsAgain = loadedTexts(read, shape);
    } catch (const format::StreamError& failure) {
        fault(std::string("our own output is refused: ") + failure.what());
    }
    const std::string difference =
        aligngrid::streamedDifference(settings, again, shape.ColCount(), shape.RowCount());
    if (!difference.empty()) {
        fault(difference);
    }
    const bool textsWritten = settings.Flag(aligngrid::StoredTable::Cells);
    if (textsAgain != (textsWritten ? texts : Texts{})) {
        fault("Cells: the texts differ");
    }
    if (again.Flag(aligngrid::StoredTable::Cells) != (textsWritten && !texts.empty())) {
        fault("Cells flag");
    }
    return 0;
}
