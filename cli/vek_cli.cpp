#include "cli/vek_cli.h"

#include "cli/check_command.h"
#include "cli/completion_command.h"
#include "cli/diff_command.h"
#include "cli/names_command.h"
#include "cli/open_command.h"
#include "cli/output_check.h"
#include "cli/tree_command.h"

#include <ostream>

namespace vek {

namespace {

constexpr std::span<const OptionForm> kNoOptions;
constexpr OptionForm kTreeOptions[] = {{"--radix", "hex|dec|bin"}};
constexpr OptionForm kOpenOptions[] = {{"--simulate", nullptr},   {"--allow-simulation", nullptr},
                                       {"--yes", nullptr},        {"--verify", nullptr},
                                       {"--keep-going", nullptr}, {"--time-limit", "SECONDS"},
                                       {"--driver-path", "DIR"}};
constexpr OptionForm kDiffOptions[] = {{"--description", "FILE.vek"}, {"--driver-path", "DIR"}};
constexpr OptionForm kNamesOptions[] = {{"--macros", nullptr}, {"--scripts", nullptr}};

constexpr CommandForm kCommands[] = {
    {"check", "compile a description and print its diagnostics", "*.vek", kNoOptions,
     RunCheckCommand},
    {"tree", "print the register tree of a description", "*.vek", kTreeOptions, RunTreeCommand},
    {"open",
     "open a description with its drivers and read, write, dump, watch, save, load, run "
     "macros and scripts",
     "*.vek", kOpenOptions, RunOpenCommand},
    {"diff", "compare register values: two values files, or a file and the devices", "*.vek *.vkg",
     kDiffOptions, RunDiffCommand},
    {"names", "print the names of a description's registers, macros or script macros", "*.vek",
     kNamesOptions, RunNamesCommand},
    {"completion", "print the bash completion script", "bash", kNoOptions, RunCompletionCommand},
};

void PrintUsage(std::ostream& out) {
    out << "usage: vek COMMAND [ARGS]\n"
           "\n"
           "Tarvel's command-line tool: compiles register descriptions (.vek).\n"
           "\n"
           "Commands:\n";
    for (const CommandForm& command : kCommands)
        out << "  " << command.name << "\t" << command.summary << '\n';
    out << "\nRun 'vek COMMAND --help' for the arguments of a command.\n";
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    for (const CommandForm& command : kCommands) {
        if (args[0] == command.name)
            return command.run({args.begin() + 1, args.end()}, out, err);
    }
    err << "vek: unknown command '" << args[0] << "'\n";
    PrintUsage(err);
    return kExitUsage;
}

} // namespace

std::span<const CommandForm> VekCommands() {
    return kCommands;
}

int RunVek(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, out, err);
    // Output that did not arrive never passes for a finished command.
    if (!OutputWritten(out, err))
        return status == kExitOk ? kExitErrors : status;
    return status;
}

} // namespace vek
