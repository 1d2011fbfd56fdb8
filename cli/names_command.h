#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kNamesOptions[] = {{"--macros", nullptr}, {"--scripts", nullptr}};

// vek names FILE.vek [--macros|--scripts]: the names a description gives, one per line, as the
// operations of `vek open` take them (also for the shell's completion).
int RunNamesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
