#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

// vek check FILE.vek: compiles a description and prints the output window's lines.
int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
extern const char* const kCheckUsage;

} // namespace vek
