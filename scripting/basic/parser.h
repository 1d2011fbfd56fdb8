#pragma once

#include "scripting/basic/ast.h"
#include "scripting/basic/compile_errors.h"

#include <string_view>
#include <vector>

namespace vek::basic {

// Parses one module. Each error is reported with its position and the parser resumes at the next
// line, so one pass lists several mistakes; a module with errors is not compiled further.
ModuleAst ParseModule(std::string_view module_name, std::string_view text, ErrorReporter& errors);

// Parses a lone expression (the debugger's watch and quick-watch text).
ExprPtr ParseExpression(std::string_view text, ErrorReporter& errors);

} // namespace vek::basic
