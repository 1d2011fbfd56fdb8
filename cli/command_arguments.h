#pragma once

#include "cli/argument_reader.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// What a command that takes operands and options in any order (all but open) accepts.
struct CommandSyntax {
    const char* command; // "check"
    std::span<const OptionForm> options;
    const char* usage; // its --help text
    std::size_t minOperands;
    std::size_t maxOperands;
    const char* operandsNeeded; // "one description file", for the usage error
};

struct CommandArguments {
    std::vector<std::string> operands;
    std::vector<GivenOption> options;

    // The value of an option as given last, or null.
    const std::string* Option(std::string_view name) const;
};

// Reads a command's arguments. --help prints its usage on `out`; a usage error prints one line
// and where the help is on `err`. Both give nothing, with `status` set.
std::optional<CommandArguments> ReadCommandArguments(const CommandSyntax& syntax,
                                                     const std::vector<std::string>& args,
                                                     std::ostream& out, std::ostream& err,
                                                     int& status);

// "vek: TEXT" and "see 'vek COMMAND --help'" (or 'vek --help' without a command) on `err`; the
// status of a usage error.
int UsageError(std::ostream& err, std::string_view command, std::string_view text);

} // namespace vek
