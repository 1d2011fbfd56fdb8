#pragma once

#include "compiler/description_compile.h"
#include "importer/map_import.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace vek {

// The description a file's text gives a command: a register map is imported, its warnings told
// on `err`; a map that cannot be imported is told there too.
Result<ImportedDescription> ImportedForCommand(const std::string& path, std::string text,
                                               std::ostream& err);

// The description a printing command (tree, names) works on, compiled without drivers. A file
// that cannot be read is told on `err` with the usage status; a description with errors prints
// its diagnostics and summary on `diagnostics`, as `vek check` does, with the error status.
// `status` then holds the command's exit status.
std::optional<CompiledDescription> CompileForPrinting(const std::string& path,
                                                      std::ostream& diagnostics, std::ostream& err,
                                                      int& status);

} // namespace vek
