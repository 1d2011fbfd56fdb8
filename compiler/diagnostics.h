#pragma once

#include "platform/string_table.h"

#include <string>
#include <string_view>

namespace vek {

// "Line <n>: <catalogue text>": the start of every scanner and parser message.
std::string ParserMessageLine(int line, StringId id);

// A builder message: the catalogue text with its first "%n" replaced by `number` and its first
// "%l" by the name in single quotes, after "Line <n> : " when the line is not 0.
std::string BuilderMessageLine(int line, StringId id, std::string_view name,
                               std::string_view number);

} // namespace vek
