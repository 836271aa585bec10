#pragma once
// Form data from its readable text (the form tool's converter). The text lists objects as
//
//     object StringAlignGrid: TStringAlignGrid
//       Left = 0
//       Alignment = alRight
//       Options = [goFixedVertLine, goRangeSelect]
//       ColWidths = (100 71 65)
//       Cells = (
//         0 1 'Grand Montant')
//     end
//
// with integers, quoted texts ('' for a quote, #233 for a character by number, pieces joined),
// identifiers, True and False, sets in brackets, lists in parentheses and byte blocks of
// hexadecimal digits in braces. Child objects come after the properties, before "end".

#include "format/componentstream.h"

#include <string>
#include <string_view>

namespace format {

// The binary form data of the text; a fault raises format::StreamError naming its line.
std::string formDataFromText(std::string_view text);

} // namespace format
