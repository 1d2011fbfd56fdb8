#pragma once

#include "cli/option_form.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace vek {

// Exit statuses of the command-line tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitErrors = 1;        // compile errors, failed transfers
inline constexpr int kExitUsage = 2;         // usage errors, files that cannot be opened
inline constexpr int kExitTimeLimit = 124;   // a script ran past --time-limit, as timeout(1) says
inline constexpr int kExitInterrupted = 130; // Ctrl-C ended a script, as a shell says for SIGINT

// One command of vek: its name and summary for the usage text, its operands and options as the
// shell's completion offers them, and its run.
struct CommandForm {
    const char* name;
    const char* summary;
    // Blank-separated: file patterns ("*.vek") or words ("bash").
    const char* operands;
    std::span<const OptionForm> options;
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// Every command, in the order the usage text lists them.
std::span<const CommandForm> VekCommands();

// Runs `vek` with the arguments after the program name; normal output goes to `out`, the tool's
// own complaints to `err`.
int RunVek(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
