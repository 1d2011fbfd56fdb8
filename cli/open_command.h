#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

// vek open FILE.vek [--simulate] [--yes] OPERATION...: opens a description with its drivers and
// runs register operations on it in the order given.
int RunOpenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
