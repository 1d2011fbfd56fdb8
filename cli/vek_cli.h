#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

// Exit statuses of the command-line tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitErrors = 1;        // compile errors, failed transfers
inline constexpr int kExitUsage = 2;         // usage errors, files that cannot be opened
inline constexpr int kExitTimeLimit = 124;   // a script ran past --time-limit, as timeout(1) says
inline constexpr int kExitInterrupted = 130; // Ctrl-C ended a script, as a shell says for SIGINT

// Runs `vek` with the arguments after the program name; normal output goes to `out`, the tool's
// own complaints to `err`.
int RunVek(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vek
