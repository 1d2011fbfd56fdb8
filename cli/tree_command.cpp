#include "cli/tree_command.h"

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

const char* const kTreeUsage =
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

} // namespace

int RunTreeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    UpdateCode radix = UpdateCode::Hex;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            out << kTreeUsage;
            return kExitOk;
        }
        if (args[i] == "--radix" && i + 1 < args.size() && RadixFlag(args[i + 1])) {
            radix = *RadixFlag(args[++i]);
        } else if (path.empty() && !args[i].empty() && args[i][0] != '-') {
            path = args[i];
        } else {
            err << "vek: unexpected argument '" << args[i] << "'\n" << kTreeUsage;
            return kExitUsage;
        }
    }
    if (path.empty()) {
        err << "vek: tree takes one description file\n" << kTreeUsage;
        return kExitUsage;
    }
    int status = kExitOk;
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
