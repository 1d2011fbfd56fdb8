#include "cli/diff_command.h"

#include "cli/command_arguments.h"
#include "cli/values_diff.h"
#include "cli/vek_cli.h"
#include "document/vek_doc.h"
#include "platform/console_host.h"
#include "platform/profile_file.h"
#include "platform/text_helpers.h"

#include <optional>
#include <ostream>
#include <sstream>

namespace vek {

namespace {

// diff's own exit statuses, as diff(1) has them.
constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

constexpr const char* kDiffUsage =
    R"(usage: vek diff A.vkg B.vkg [--description FILE.vek]
       vek diff FILE.vek A.vkg [--driver-path DIR]...

Compares register values register by register: two register-values files, or a values
file with the values read now from the devices of a description (its drivers are opened
and every readable register is read; nothing is written).

For each register whose values differ, one line: the register (the file's section, or
DEVICE.NAME when a description names it), its address, both values and the bits that
changed; with a description the bit fields those bits belong to follow, one per line.
A last line sums up. Registers are matched by driver, device and address.

Options:
  --description FILE.vek   name the registers and bit fields of two values files
  --driver-path DIR        look for the drivers in DIR before VEK_DRIVER_PATH and the
                           program's own folder (repeatable)

Exit status: 0 when the values are the same, 1 when they differ, 2 on errors (usage,
files that cannot be read, a description with errors, drivers that cannot be used,
reads that failed).
)";

struct DiffArguments {
    std::vector<std::string> files;
    std::optional<std::string> description;
    DriverFolders driverFolders;
};

constexpr CommandSyntax kSyntax{"diff", kDiffOptions, kDiffUsage, 2, 2, "two files"};

std::optional<DiffArguments> ParseArguments(const std::vector<std::string>& args, std::ostream& out,
                                            std::ostream& err, int& status) {
    std::optional<CommandArguments> given = ReadCommandArguments(kSyntax, args, out, err, status);
    if (!given)
        return std::nullopt;
    DiffArguments parsed;
    parsed.files = std::move(given->operands);
    for (const GivenOption& option : given->options) {
        if (option.form->name == std::string_view("--description"))
            parsed.description = option.value;
        else
            parsed.driverFolders.commandLine.push_back(option.value);
    }
    if (parsed.description && EndsWithNoCase(parsed.files[0], ".vek")) {
        status = UsageError(err, "diff", "--description names the registers of two values files");
        return std::nullopt;
    }
    return parsed;
}

int Report(const SavedValues& left, const SavedValues& right, const ValuesDiff& how,
           std::ostream& out) {
    const DiffCounts counts = CompareValues(left, right, how, out);
    out << DiffSummary(counts, how) << '\n';
    return counts.different == 0 ? kExitSame : kExitDifferent;
}

// Two values files, named by a description when one is given.
int DiffFiles(const DiffArguments& args, std::ostream& out, std::ostream& err) {
    Result<SavedValues> left = ReadValuesFile(args.files[0]);
    Result<SavedValues> right = ReadValuesFile(args.files[1]);
    for (const Result<SavedValues>* read : {&left, &right}) {
        if (!*read) {
            err << "vek: " << read->Error().text << '\n';
            return kExitTrouble;
        }
    }
    ValuesDiff how{args.files[0], args.files[1], nullptr, false};
    if (!args.description)
        return Report(left.Value(), right.Value(), how, out);
    // The compiler's lines are shown only when the description has errors.
    std::ostringstream lines;
    ConsoleHost host(lines, AnswerPolicy::Negative);
    CVekDoc doc(host);
    if (!doc.OpenWithoutDrivers(*args.description)) {
        err << lines.str();
        return kExitTrouble;
    }
    const RegisterIndex names(doc);
    how.names = &names;
    return Report(left.Value(), right.Value(), how, out);
}

// A values file and the devices of a description, read now. A driver that cannot be used is
// an error: simulated registers hold no values to compare.
int DiffDevices(const DiffArguments& args, std::ostream& out, std::ostream& err) {
    Result<SavedValues> saved = ReadValuesFile(args.files[1]);
    if (!saved) {
        err << "vek: " << saved.Error().text << '\n';
        return kExitTrouble;
    }
    ConsoleHost host(err, AnswerPolicy::Negative);
    CVekDoc doc(host);
    doc.SetDriverFolders(args.driverFolders);
    if (!doc.OpenDocument(args.files[0]))
        return kExitTrouble;
    const int failedReads = doc.ReadAll();
    ProfileFile now;
    doc.StoreValues(now, "");
    const RegisterIndex names(doc);
    const ValuesDiff how{args.files[1], "the devices", &names, true};
    const int status = Report(saved.Value(), SavedValuesOf(now), how, out);
    return failedReads != 0 ? kExitTrouble : status;
}

} // namespace

int RunDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = kExitSame;
    const std::optional<DiffArguments> parsed = ParseArguments(args, out, err, status);
    if (!parsed)
        return status;
    if (EndsWithNoCase(parsed->files[0], ".vek"))
        return DiffDevices(*parsed, out, err);
    return DiffFiles(*parsed, out, err);
}

} // namespace vek
