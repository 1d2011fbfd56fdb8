#pragma once

#include "scripting/basic/compile_errors.h"
#include "scripting/basic/token.h"

#include <string>
#include <string_view>
#include <vector>

namespace vek::basic {

struct ScanResult {
    std::vector<Token> tokens; // always ends with an End token
    CompileMessage error;      // CompileError::None when the text scanned cleanly
};

// Splits module text into tokens: joins lines continued with " _", drops ' and Rem comments,
// reads &H/&O and decimal literals with their type suffixes and strings with doubled quotes.
ScanResult Scan(std::string_view text);

// The keyword an identifier spells, or Keyword::None.
Keyword LookupKeyword(std::string_view word);

} // namespace vek::basic
