#pragma once

#include "compiler/item_list.h"
#include "model/basic_macro.h"
#include "model/vek_macro.h"

#include <memory>
#include <string>
#include <vector>

namespace vek {

class Host;

struct CompiledDescription {
    int errors = 0;
    std::unique_ptr<CItemList> items;
    std::vector<std::unique_ptr<CVekMacro>> macros;
    std::vector<std::unique_ptr<CBasicMacro>> scriptMacros;
};

// Whether the description can be read; the system's reason when not.
bool CanReadDescription(const std::string& path, std::string& reason);

// Compiles the description, sending the output window's lines to the host.
CompiledDescription CompileDescription(const std::string& path, Host& host);

// "<file name> - <n> error(s)", the file name being the text after the last "/" or "\".
std::string CompileSummary(const std::string& path, int errors);

} // namespace vek
