#pragma once

#include <string>
#include <vector>

namespace vek {

struct ExportedDescription;

// The description as a C header of CMSIS-style macros: each register's address and reset value,
// each bit field's position and mask, each named value. A macro whose name an earlier one took is
// left out with a warning line added to `warnings`.
std::string CHeaderText(const ExportedDescription& description, std::vector<std::string>& warnings);

} // namespace vek
