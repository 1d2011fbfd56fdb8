#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kTreeOptions[] = {{"--radix", "hex|dec|bin"}};

// vek tree FILE.vek [--radix hex|dec|bin]: prints the compiled register tree.
int RunTreeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
