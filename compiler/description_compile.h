#pragma once

#include "compiler/diagnostics.h"
#include "model/basic_macro.h"
#include "model/item_list.h"
#include "model/vek_macro.h"

#include <memory>
#include <string>
#include <vector>

namespace vek {

class Host;

// What one compile of a description leaves: its error count and, without errors, the items in
// tree order with the register macros and script macros.
struct CompiledDescription {
    int errors = 0;
    std::unique_ptr<CItemList> items;
    std::vector<std::unique_ptr<CVekMacro>> macros;
    std::vector<std::unique_ptr<CBasicMacro>> scriptMacros;
};

// Compiles the text of the description at `path` (read once by the caller, so a pipe works),
// sending the output window's lines to the host. The lines name the file as `path` gives it. With
// a sink, the diagnostics go there instead of to the host.
CompiledDescription CompileDescription(const std::string& path, std::string text, Host& host,
                                       DiagnosticSink sink = {});

// "<file name> - <n> error(s)", the file name being the text after the last "/" or "\".
std::string CompileSummary(const std::string& path, int errors);

} // namespace vek
