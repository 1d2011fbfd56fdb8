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

// How a module's text is read: a script, or a module the program generates (the register
// constants), whose names are those a register description gives: they may be words Basic
// reserves, Rem included, or start with "_" (scripts reach such names as [NAME]).
enum class ModuleText { Script, Generated };

// Splits module text into tokens: joins lines continued with " _", drops ' and Rem comments,
// reads &H/&O and decimal literals with their type suffixes and strings with doubled quotes.
ScanResult Scan(std::string_view text, ModuleText kind = ModuleText::Script);

// The keyword an identifier spells, or Keyword::None.
Keyword LookupKeyword(std::string_view word);

} // namespace vek::basic
