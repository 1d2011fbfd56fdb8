#include "cli/tree_command.h"

#include "cli/command_arguments.h"
#include "cli/description_input.h"
#include "cli/process_exit.h"
#include "cli/text_tree.h"
#include "cli/vek_cli.h"
#include "model/line_item.h"
#include "model/register_codes.h"

#include <optional>
#include <ostream>

namespace vek {

namespace {

constexpr const char* kTreeUsage =
    "usage: vek tree FILE.vek [--radix hex|dec|bin]\n"
    "\n"
    "Compiles a register description and prints its register tree: one line per row, indented\n"
    "by two blanks per level, with the Description, Address and Data columns separated by\n"
    "tabs. Values show in the given radix (hex when none is given). A description with errors\n"
    "prints its diagnostics as 'vek check' does, and no tree.\n"
    "\n"
    "Exit status: 0 for a tree, 1 with errors, 2 when the file cannot be opened.\n";

std::optional<UpdateCode> RadixFlag(const std::string& radix) {
    if (radix == "hex")
        return UpdateCode::Hex;
    if (radix == "dec")
        return UpdateCode::Decimal;
    if (radix == "bin")
        return UpdateCode::Binary;
    return std::nullopt;
}

constexpr CommandSyntax kSyntax{"tree", kTreeOptions, kTreeUsage, 1, 1, "one description file"};

} // namespace

int RunTreeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const std::optional<CommandArguments> parsed =
        ReadCommandArguments(kSyntax, args, out, err, status);
    if (!parsed)
        return status;
    UpdateCode radix = UpdateCode::Hex;
    if (const std::string* name = parsed->Option("--radix")) {
        const std::optional<UpdateCode> named = RadixFlag(*name);
        if (!named)
            return UsageError(err, "tree", ChoiceFault(kTreeOptions[0], *name));
        radix = *named;
    }
    const std::string& path = parsed->operands[0];
    std::optional<CompiledDescription> compiled = CompileForPrinting(path, out, err, status);
    if (!compiled)
        return status;
    TextTree tree;
    for (CLineItem& item : *compiled->items) {
        if (item.GetLevel() > 0)
            item.InsertIntoTree(tree, -1, -1, 0);
    }
    for (CLineItem& item : *compiled->items)
        item.Update(nullptr, radix);
    tree.Print(out);
    LeaveToProcessExit(std::move(*compiled));
    return kExitOk;
}

} // namespace vek
