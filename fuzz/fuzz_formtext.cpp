// Any bytes as a readable form text for the form tool: the converter either gives form data that
// the form data reader takes whole, or raises a StreamError whose message names the text's line;
// nothing else escapes it.

#include "format/formdata.h"
#include "format/formdatatext.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string form;
    try {
        form = format::formDataFromText(text);
    } catch (const format::StreamError& failure) {
        if (std::string_view(failure.what()).rfind("Texte de fiche incorrect, ligne ", 0) != 0) {
            std::fprintf(stderr, "a fault without its line: %s\n", failure.what());
            std::abort();
        }
        return 0;
    }
    try {
        format::parseForm(form);
    } catch (const format::StreamError& failure) {
        std::fprintf(stderr, "the converter's output is refused: %s\n", failure.what());
        std::abort();
    }
    return 0;
}
