#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

inline constexpr OptionForm kOpenOptions[] = {
    {"--simulate", nullptr},  {"--allow-simulation", nullptr}, {"--yes", nullptr, 'y'},
    {"--verify", nullptr},    {"--keep-going", nullptr},       {"--time-limit", "SECONDS"},
    {"--driver-path", "DIR"}, {"--diagnostics", "text|gcc"},   {"--trace", nullptr}};

// vek open FILE.vek [--simulate] [--yes] OPERATION...: opens a description with its drivers and
// runs register operations on it in the order given.
int RunOpenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
