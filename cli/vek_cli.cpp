#include "cli/vek_cli.h"

#include "cli/check_command.h"
#include "cli/command_arguments.h"
#include "cli/completion_command.h"
#include "cli/diff_command.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/names_command.h"
#include "cli/nearest_word.h"
#include "cli/open_command.h"
#include "cli/output_check.h"
#include "cli/tree_command.h"

#include <algorithm>
#include <ostream>
#include <string_view>

namespace vek {

namespace {

constexpr std::span<const OptionForm> kNoOptions;

constexpr CommandForm kCommands[] = {
    {"check", "compile a description and print its diagnostics", "*.vek", kCheckOptions,
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
    {"import", "write a vendor's register map (CMSIS-SVD, IP-XACT) as a description", "*.svd *.xml",
     kImportOptions, RunImportCommand},
    {"export", "write a description's registers as CMSIS-SVD or a C header", "*.vek",
     kExportOptions, RunExportCommand},
    {"completion", "print the bash completion script", "bash", kNoOptions, RunCompletionCommand},
};

void PrintUsage(std::ostream& out) {
    out << "usage: vek COMMAND [ARGS]\n"
           "       vek help COMMAND | --help | --version\n"
           "\n"
           "Tarvel's command-line tool: compiles register descriptions (.vek).\n"
           "\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const CommandForm& command : kCommands)
        width = std::max(width, std::string_view(command.name).size());
    for (const CommandForm& command : kCommands) {
        const std::string_view name = command.name;
        out << "  " << name << std::string(width + 2 - name.size(), ' ') << command.summary << '\n';
    }
    out << "\nRun 'vek help COMMAND' or 'vek COMMAND --help' for the arguments of a command.\n";
}

const CommandForm* FindCommand(std::string_view name) {
    for (const CommandForm& command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

int UnknownCommand(const std::string& name, std::ostream& err) {
    std::vector<std::string_view> names;
    for (const CommandForm& command : kCommands)
        names.push_back(command.name);
    return UsageError(err, "", "unknown command '" + name + "'" + DidYouMean(name, names));
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || (first == "help" && args.size() == 1)) {
        PrintUsage(out);
        return kExitOk;
    }
    if (first == "--version" || first == "-V") {
        out << "vek (Tarvel) " VEK_VERSION "\n";
        return kExitOk;
    }
    if (first == "help") {
        const CommandForm* command = FindCommand(args[1]);
        if (command == nullptr || args.size() > 2)
            return command == nullptr ? UnknownCommand(args[1], err)
                                      : UsageError(err, "", "help takes one command");
        return command->run({"--help"}, out, err);
    }
    if (const CommandForm* command = FindCommand(first))
        return command->run({args.begin() + 1, args.end()}, out, err);
    if (first.starts_with("-"))
        return UsageError(err, "", "unknown option '" + first + "'");
    return UnknownCommand(first, err);
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
