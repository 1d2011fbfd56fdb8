#include "cli/export_command.h"

#include "cli/command_arguments.h"
#include "cli/description_input.h"
#include "cli/process_exit.h"
#include "cli/vek_cli.h"
#include "exporter/c_header_writer.h"
#include "exporter/register_walk.h"
#include "exporter/svd_writer.h"
#include "platform/file_replacement.h"

#include <ostream>

namespace vek {

namespace {

constexpr const char* kExportUsage =
    "usage: vek export FILE.vek --format svd|c-header [--output FILE]\n"
    "\n"
    "Compiles a register description and writes its registers for other tools:\n"
    "  --format svd       a CMSIS-SVD 1.3 file: one peripheral per device, its registers with\n"
    "                     their offsets, sizes, access, reset values and bit fields\n"
    "  --format c-header  a C header: each register's address and reset value, each bit\n"
    "                     field's _Pos and _Msk, each named value\n"
    "  -o, --output FILE  write FILE, whole or not at all, instead of standard output\n"
    "\n"
    "Bit-field text lines \"N = NAME\" or \"N = NAME: text\" become named values. Registers of\n"
    "several parts or with addresses longer than 4 bytes are left out, each kind with a\n"
    "warning on standard error. A description with errors prints its diagnostics on standard\n"
    "error as 'vek check' does, and nothing is written.\n"
    "\n"
    "Exit status: 0 when written, 1 with errors or when the file cannot be written, 2 for\n"
    "usage errors and when the description cannot be opened.\n";

constexpr CommandSyntax kSyntax{"export", kExportOptions,        kExportUsage, 1,
                                1,        "one description file"};

enum class ExportFormat { Svd, CHeader };

} // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const std::optional<CommandArguments> parsed =
        ReadCommandArguments(kSyntax, args, out, err, status);
    if (!parsed)
        return status;
    const std::string* formatName = parsed->Option("--format");
    if (formatName == nullptr)
        return UsageError(err, "export", "export needs --format svd|c-header");
    if (*formatName != "svd" && *formatName != "c-header")
        return UsageError(err, "export", ChoiceFault(kExportOptions[0], *formatName));
    const ExportFormat format = *formatName == "svd" ? ExportFormat::Svd : ExportFormat::CHeader;
    const std::string& path = parsed->operands[0];
    // Standard output may hold the export itself: the diagnostics never go there.
    std::optional<CompiledDescription> compiled = CompileForPrinting(path, err, err, status);
    if (!compiled)
        return status;
    ExportedDescription description = WalkRegisters(path, *compiled->items);
    LeaveToProcessExit(std::move(*compiled));
    const std::string text = format == ExportFormat::Svd
                                 ? SvdText(description)
                                 : CHeaderText(description, description.warnings);
    for (const std::string& warning : description.warnings)
        err << warning << '\n';
    const std::string* output = parsed->Option("--output");
    if (output == nullptr) {
        out << text;
        return kExitOk;
    }
    if (const Result<void> written = ReplaceFile(*output, text); !written) {
        err << "vek: export: " << written.Error().text << '\n';
        return kExitErrors;
    }
    return kExitOk;
}

} // namespace vek
