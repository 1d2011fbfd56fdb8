#include "cli/vek_cli.h"

#include "cli/check_command.h"
#include "cli/open_command.h"
#include "cli/tree_command.h"

#include <ostream>

namespace vek {

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"check", "compile a description and print its diagnostics", RunCheckCommand},
    {"tree", "print the register tree of a description", RunTreeCommand},
    {"open",
     "open a description with its drivers and read, write, save, load, run macros and "
     "scripts",
     RunOpenCommand},
};

void PrintUsage(std::ostream& out) {
    out << "usage: vek COMMAND [ARGS]\n"
           "\n"
           "Tarvel's command-line tool: compiles register descriptions (.vek).\n"
           "\n"
           "Commands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << "\t" << command.summary << '\n';
    out << "\nRun 'vek COMMAND --help' for the arguments of a command.\n";
}

} // namespace

int RunVek(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (args[0] == command.name)
            return command.run({args.begin() + 1, args.end()}, out, err);
    }
    err << "vek: unknown command '" << args[0] << "'\n";
    PrintUsage(err);
    return kExitUsage;
}

} // namespace vek
