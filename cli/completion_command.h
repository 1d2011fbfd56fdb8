#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

// vek completion bash: prints the bash completion script, made from vek's tables of commands,
// operations and options.
int RunCompletionCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);

} // namespace vek
