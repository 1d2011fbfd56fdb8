#include "cli/import_command.h"

#include "cli/command_arguments.h"
#include "cli/vek_cli.h"
#include "importer/map_import.h"
#include "platform/file_replacement.h"
#include "platform/text_file.h"

#include <ostream>

namespace vek {

namespace {

constexpr const char* kImportUsage =
    "usage: vek import MAP [-o OUT.vek] [--driver NAME]\n"
    "\n"
    "Writes a vendor's register map, a CMSIS-SVD file (.svd) or an IP-XACT component (.xml), as\n"
    "a register description that compiles without errors. docs/import.md gives the mapping.\n"
    "What the description language cannot hold as the map has it is told on standard error,\n"
    "one line per kind of change.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.vek  write the description to this file (whole or not at all); without\n"
    "                        it, to standard output\n"
    "  --driver NAME         the driver library the description names (default gdbdrv.dll)\n"
    "\n"
    "Exit status: 0 when written, 1 when the map cannot be imported or the file not written,\n"
    "2 for usage errors and when the map cannot be opened.\n";

constexpr CommandSyntax kSyntax{"import", kImportOptions, kImportUsage, 1, 1, "one register map"};

} // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const std::optional<CommandArguments> parsed =
        ReadCommandArguments(kSyntax, args, out, err, status);
    if (!parsed)
        return status;
    std::string driver(kImportDefaultDriver);
    if (const std::string* named = parsed->Option("--driver")) {
        if (!IsDriverFileName(*named))
            return UsageError(err, "import",
                              "--driver '" + *named + "' is not a library's file name");
        driver = *named;
    }
    const std::string& path = parsed->operands[0];
    Result<std::string> text = ReadTextFile(path, kDescriptionFileLimit);
    if (!text) {
        err << "vek: cannot open '" << path << "': " << text.Error().text << '\n';
        return kExitUsage;
    }
    Result<ImportedDescription> imported = ImportRegisterMap(path, std::move(text).Value(), driver);
    if (!imported) {
        err << "vek: " << imported.Error().text << '\n';
        return kExitErrors;
    }
    for (const std::string& warning : imported.Value().warnings)
        err << "vek: warning: " << path << ": " << warning << '\n';
    const std::string* output = parsed->Option("--output");
    if (output == nullptr) {
        out << imported.Value().text;
        return kExitOk;
    }
    if (Result<void> written = ReplaceFile(*output, imported.Value().text); !written) {
        err << "vek: " << written.Error().text << '\n';
        return kExitErrors;
    }
    return kExitOk;
}

} // namespace vek
