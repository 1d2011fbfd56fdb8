#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kExportOptions[] = {{"--format", "svd|c-header"},
                                                {"--output", "FILE", 'o'}};

// vek export FILE.vek --format svd|c-header [-o FILE]: writes a description's registers in a
// format other tools read.
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
