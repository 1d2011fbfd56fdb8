#include "cli/check_command.h"

#include "cli/process_exit.h"
#include "cli/vek_cli.h"
#include "compiler/description_compile.h"
#include "platform/console_host.h"
#include "platform/text_file.h"

#include <ostream>

namespace vek {

const char* const kCheckUsage =
    "usage: vek check FILE.vek\n"
    "\n"
    "Compiles a register description and prints, one per line, what the output window shows:\n"
    "\"Parsing...\", the path, every diagnostic, \"Linking...\" when no error was found, and\n"
    "the summary \"<file> - <n> error(s)\".\n"
    "\n"
    "Exit status: 0 without errors, 1 with errors, 2 when the file cannot be opened.\n";

int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kCheckUsage;
        return kExitOk;
    }
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        err << "vek: check takes one description file\n" << kCheckUsage;
        return kExitUsage;
    }
    const std::string& path = args[0];
    Result<std::string> text = ReadTextFile(path, kDescriptionFileLimit);
    if (!text) {
        err << "vek: cannot open '" << path << "': " << text.Error().text << '\n';
        return kExitUsage;
    }
    ConsoleHost host(out, AnswerPolicy::Negative);
    CompiledDescription compiled = CompileDescription(path, std::move(text).Value(), host);
    const int errors = compiled.errors;
    host.Message(CompileSummary(path, errors), false);
    LeaveToProcessExit(std::move(compiled));
    return errors == 0 ? kExitOk : kExitErrors;
}

} // namespace vek
