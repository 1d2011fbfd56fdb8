#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kDiffOptions[] = {{"--description", "FILE.vek"},
                                              {"--driver-path", "DIR"}};

// vek diff A.vkg B.vkg [--description FILE.vek] | vek diff FILE.vek A.vkg: register-by-register
// differences between two register-values files, or between a file and the values read now from
// the devices of a description.
int RunDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
