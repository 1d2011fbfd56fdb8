#include "cli/names_command.h"

#include "cli/command_arguments.h"
#include "cli/description_input.h"
#include "cli/process_exit.h"
#include "cli/vek_cli.h"
#include "model/item_list.h"
#include "platform/text_helpers.h"

#include <ostream>
#include <unordered_map>

namespace vek {

namespace {

constexpr const char* kNamesUsage =
    "usage: vek names FILE.vek [--macros|--scripts]\n"
    "\n"
    "Prints the names of a description's registers, bit fields and variables, one per line,\n"
    "as 'vek open' takes them: NAME, or DEVICE.NAME for a name that several devices use.\n"
    "--macros prints the register macros' names instead, --scripts the script macros'.\n"
    "Standard output holds the names and nothing else: a description with errors prints no\n"
    "names, and its diagnostics go to standard error as 'vek check' prints them.\n"
    "\n"
    "Exit status: 0 for the names, 1 with errors, 2 when the file cannot be opened.\n";

constexpr CommandSyntax kSyntax{"names", kNamesOptions, kNamesUsage, 1, 1, "one description file"};

enum class NameKind { Items, Macros, Scripts };

void PrintItemNames(const CItemList& items, std::ostream& out) {
    std::vector<std::pair<std::string, std::string>> named; // device, name
    std::unordered_map<std::string, int> uses;
    std::string device;
    for (const CLineItem& item : items) {
        if (item.GetKind() == ItemKind::Device)
            device = item.GetName();
        if (item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField ||
            item.GetKind() == ItemKind::Variable) {
            named.emplace_back(device, item.GetName());
            ++uses[LowerCase(item.GetName())];
        }
    }
    for (const auto& [owner, name] : named)
        out << (uses[LowerCase(name)] > 1 ? owner + "." + name : name) << '\n';
}

} // namespace

int RunNamesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const std::optional<CommandArguments> parsed =
        ReadCommandArguments(kSyntax, args, out, err, status);
    if (!parsed)
        return status;
    // The last of --macros and --scripts counts.
    NameKind kind = NameKind::Items;
    for (const GivenOption& option : parsed->options)
        kind = option.form->name == std::string_view("--macros") ? NameKind::Macros
                                                                 : NameKind::Scripts;
    const std::string& path = parsed->operands[0];
    // The shell's completion takes standard output word for word: diagnostics quote the
    // description's own text and never go there.
    std::optional<CompiledDescription> compiled = CompileForPrinting(path, err, err, status);
    if (!compiled)
        return status;
    if (kind == NameKind::Items)
        PrintItemNames(*compiled->items, out);
    if (kind == NameKind::Macros) {
        for (const auto& macro : compiled->macros)
            out << macro->GetName() << '\n';
    }
    if (kind == NameKind::Scripts) {
        for (const auto& script : compiled->scriptMacros)
            out << script->GetName() << '\n';
    }
    LeaveToProcessExit(std::move(*compiled));
    return kExitOk;
}

} // namespace vek
