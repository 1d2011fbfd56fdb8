#include "cli/check_command.h"

#include "cli/command_arguments.h"
#include "cli/description_input.h"
#include "cli/diagnostic_formats.h"
#include "cli/process_exit.h"
#include "cli/vek_cli.h"
#include "compiler/description_compile.h"
#include "importer/map_import.h"
#include "platform/console_host.h"
#include "platform/text_file.h"

#include <ostream>
#include <sstream>

namespace vek {

namespace {

constexpr const char* kCheckUsage =
    "usage: vek check FILE.vek [--format text|gcc|json]\n"
    "\n"
    "Compiles a register description and prints, one per line, what the output window shows:\n"
    "\"Parsing...\", the path, every diagnostic, \"Linking...\" when no error was found, and\n"
    "the summary \"<file> - <n> error(s)\".\n"
    "\n"
    "Options:\n"
    "  --format gcc   print only the diagnostics, one per line, as compilers print them for\n"
    "                 editors and CI: FILE:LINE:COLUMN: error: TEXT [CODE] (the column where\n"
    "                 the compiler knows it)\n"
    "  --format json  print one JSON document: the file, the error count and the diagnostics\n"
    "                 with file, line, column, severity, code and message\n"
    "\n"
    "Exit status: 0 without errors, 1 with errors, 2 for usage errors and when the file cannot\n"
    "be opened.\n";

constexpr CommandSyntax kSyntax{"check", kCheckOptions, kCheckUsage, 1, 1, "one description file"};

} // namespace

int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const std::optional<CommandArguments> parsed =
        ReadCommandArguments(kSyntax, args, out, err, status);
    if (!parsed)
        return status;
    DiagnosticFormat format = DiagnosticFormat::Text;
    if (const std::string* name = parsed->Option("--format")) {
        const std::optional<DiagnosticFormat> named = DiagnosticFormatNamed(*name);
        if (!named)
            return UsageError(err, "check", ChoiceFault(kCheckOptions[0], *name));
        format = *named;
    }
    const std::string& path = parsed->operands[0];
    Result<std::string> text = ReadTextFile(path, kDescriptionFileLimit);
    if (!text) {
        err << "vek: cannot open '" << path << "': " << text.Error().text << '\n';
        return kExitUsage;
    }
    Result<ImportedDescription> description =
        ImportedForCommand(path, std::move(text).Value(), err);
    if (!description)
        return kExitErrors;
    // Tools read the diagnostics alone: the output window's other lines are left out.
    std::ostringstream windowLines;
    ConsoleHost host(format == DiagnosticFormat::Text ? out : windowLines, AnswerPolicy::Negative);
    std::vector<FileDiagnostic> diagnostics;
    DiagnosticSink sink;
    if (format != DiagnosticFormat::Text) {
        sink = [&](const CompileDiagnostic& found) {
            diagnostics.push_back(
                {path, found.line, found.column, std::string(found.code), found.text});
        };
    }
    CompiledDescription compiled =
        CompileDescription(path, std::move(description.Value().text), host, sink);
    const int errors = compiled.errors;
    switch (format) {
    case DiagnosticFormat::Text:
        host.Message(CompileSummary(path, errors), false);
        break;
    case DiagnosticFormat::Gcc:
        for (const FileDiagnostic& diagnostic : diagnostics)
            out << GccLine(diagnostic) << '\n';
        break;
    case DiagnosticFormat::Json:
        out << DiagnosticsJson(path, errors, diagnostics);
        break;
    }
    LeaveToProcessExit(std::move(compiled));
    return errors == 0 ? kExitOk : kExitErrors;
}

} // namespace vek
