#pragma once

#include "importer/import_warnings.h"
#include "importer/register_map.h"

#include <string>

namespace vek {

// Writes a register map as a description that compiles without errors, adapting it to the
// language always the same way (docs/import.md): names made names of the language and unique
// in their name space, registers that cannot share their address moved to an alternate device,
// registers wider than 32 bits split. `source` names the file in the first comment line.
std::string WriteDescription(const RegisterMap& map, const std::string& source,
                             const std::string& driver, ImportWarnings& warnings);

} // namespace vek
