#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kCheckOptions[] = {{"--format", "text|gcc|json"}};

// vek check FILE.vek [--format text|gcc|json]: compiles a description and prints the output
// window's lines, or its diagnostics in a form tools read.
int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
