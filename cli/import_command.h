#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kImportOptions[] = {{"--output", "OUT.vek", 'o'}, {"--driver", "NAME"}};

// vek import MAP [-o OUT.vek] [--driver NAME]: writes a CMSIS-SVD or IP-XACT register map as a
// description.
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
