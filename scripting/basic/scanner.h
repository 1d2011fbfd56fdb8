#pragma once

#include "scripting/basic/token.h"

#include <string>
#include <string_view>
#include <vector>

namespace vek::basic {

struct ScanResult {
    std::vector<Token> tokens; // always ends with an End token
    std::string error;         // empty when the text scanned cleanly
    int error_line = 0;
    int error_column = 0;
};

// Splits module text into tokens: joins lines continued with " _", drops ' and Rem comments,
// reads &H/&O and decimal literals with their type suffixes and strings with doubled quotes.
ScanResult Scan(std::string_view text);

// The keyword an identifier spells, or Keyword::None.
Keyword LookupKeyword(std::string_view word);

} // namespace vek::basic
