#include "cli/open_command.h"

#include "cli/item_lookup.h"
#include "cli/value_argument.h"
#include "cli/vek_cli.h"
#include "document/vek_doc.h"
#include "model/item_list.h"
#include "model/register_codes.h"
#include "model/var_item.h"
#include "platform/console_host.h"
#include "platform/text_file.h"
#include "scripting/script_host.h"

#include <memory>
#include <ostream>

namespace vek {

namespace {

const char* const kOpenUsage =
    "usage: vek open FILE.vek [--simulate] [--yes] OPERATION...\n"
    "\n"
    "Opens a register description, loads and opens its drivers, and runs the operations in\n"
    "the order given, all in one session (so simulated values and open drivers carry over).\n"
    "\n"
    "Options:\n"
    "  --simulate          work in simulation mode: no driver is called (a driver that\n"
    "                      cannot be used is accepted without asking)\n"
    "  --yes               answer OK/Yes to every question (a driver that cannot be used then\n"
    "                      switches to simulation; values of another description are loaded).\n"
    "                      Without --yes the questions are asked on the terminal, and without\n"
    "                      a terminal the answer is Cancel/No.\n"
    "\n"
    "Operations:\n"
    "  read NAME           read a register, bit field or variable and print 'NAME = 0x..'\n"
    "  write NAME=VALUE    set a value and write it at once (write macros run)\n"
    "  show NAME           print the value as it stands, without a transfer\n"
    "  print               print every register, bit field and variable as DEVICE.NAME\n"
    "  write-default       Write Default: every writable register with its default value\n"
    "  write-all           Write Now: every writable register with its current value\n"
    "  read-all            Read Now: every readable register\n"
    "  macro NAME          run a register macro of the description\n"
    "  save FILE.vkg [--comment TEXT]   save the register values\n"
    "  load FILE.vkg       load register values and write them to the devices\n"
    "  reset               reset the drivers (close and open them again)\n"
    "  script NAME|FILE    run a script macro of the description, or the Main of a Basic\n"
    "                      file, with the register constants and the extension's methods\n"
    "\n"
    "NAME is a name of the description, or DEVICE.NAME where several devices use it; case\n"
    "does not matter. VALUE is 0x.. (hexadecimal), 0b.. (binary) or decimal, with a '-' for\n"
    "signed (TC) items. Values print as 'NAME = 0x..' with as many digits as the item is wide,\n"
    "X for a value not yet known.\n"
    "\n"
    "The output window's lines (progress, driver messages, errors, a script's DebugOut) go\n"
    "to standard error; values and a script's Print and Debug.Print to standard output.\n"
    "\n"
    "Exit status: 0 when everything worked; 1 when the description has errors, its drivers\n"
    "could not be used, a transfer or file operation failed, or a script ended with an\n"
    "error; 2 for usage errors.\n"
    "\n"
    "Example:\n"
    "  vek open examples/demo.vek write OUTPUT=0xFE read TEMPERATURE save board.vkg\n";

enum class OperationKind {
    Read,
    Write,
    Show,
    Print,
    WriteDefault,
    WriteAll,
    ReadAll,
    Macro,
    Save,
    Load,
    Reset,
    Script
};

struct Operation {
    OperationKind kind;
    std::string name; // item or macro name, or file
    std::string value;
    std::string comment;
    CVarItem* item = nullptr;
};

struct Plan {
    std::string path;
    bool simulate = false;
    bool yes = false;
    std::vector<Operation> operations;
};

constexpr struct {
    const char* word;
    OperationKind kind;
} kPlainOperations[] = {
    {"print", OperationKind::Print},        {"write-default", OperationKind::WriteDefault},
    {"write-all", OperationKind::WriteAll}, {"read-all", OperationKind::ReadAll},
    {"reset", OperationKind::Reset},
};

bool ParsePlan(const std::vector<std::string>& args, Plan& plan, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        auto next = [&](const char* what) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = "'" + word + "' needs " + what;
                return nullptr;
            }
            return &args[++i];
        };
        if (word == "--simulate") {
            plan.simulate = true;
        } else if (word == "--yes") {
            plan.yes = true;
        } else if (plan.path.empty()) {
            if (word.empty() || word[0] == '-') {
                error = "unknown option '" + word + "'";
                return false;
            }
            plan.path = word;
        } else if (word == "read" || word == "show" || word == "macro" || word == "load" ||
                   word == "script") {
            const std::string* name = next(word == "load" ? "a file" : "a name");
            if (name == nullptr)
                return false;
            const OperationKind kind = word == "read"     ? OperationKind::Read
                                       : word == "show"   ? OperationKind::Show
                                       : word == "macro"  ? OperationKind::Macro
                                       : word == "script" ? OperationKind::Script
                                                          : OperationKind::Load;
            plan.operations.push_back({kind, *name, {}, {}, nullptr});
        } else if (word == "write") {
            const std::string* assignment = next("NAME=VALUE");
            if (assignment == nullptr)
                return false;
            const std::size_t equals = assignment->find('=');
            if (equals == std::string::npos || equals == 0) {
                error = "'write' needs NAME=VALUE, not '" + *assignment + "'";
                return false;
            }
            plan.operations.push_back({OperationKind::Write,
                                       assignment->substr(0, equals),
                                       assignment->substr(equals + 1),
                                       {},
                                       nullptr});
        } else if (word == "save") {
            const std::string* file = next("a file");
            if (file == nullptr)
                return false;
            Operation save{OperationKind::Save, *file, {}, {}, nullptr};
            if (i + 1 < args.size() && args[i + 1] == "--comment") {
                ++i;
                const std::string* comment = next("a text");
                if (comment == nullptr)
                    return false;
                save.comment = *comment;
            }
            plan.operations.push_back(save);
        } else {
            bool known = false;
            for (const auto& plain : kPlainOperations) {
                if (word == plain.word) {
                    plan.operations.push_back({plain.kind, {}, {}, {}, nullptr});
                    known = true;
                }
            }
            if (!known) {
                error = "unknown operation '" + word + "'";
                return false;
            }
        }
    }
    if (plan.path.empty()) {
        error = "open takes a description file";
        return false;
    }
    return true;
}

// Every name is looked up before anything is transferred.
bool ResolveNames(const CVekDoc& doc, Plan& plan, std::string& error) {
    for (Operation& operation : plan.operations) {
        switch (operation.kind) {
        case OperationKind::Read:
        case OperationKind::Write:
        case OperationKind::Show: {
            const std::vector<CVarItem*> items = FindValueItems(*doc.GetItems(), operation.name);
            if (items.empty()) {
                error = "no register, bit field or variable '" + operation.name + "'";
                return false;
            }
            if (items.size() > 1) {
                error = "'" + operation.name + "' names " + std::to_string(items.size()) +
                        " items; write DEVICE." + operation.name;
                return false;
            }
            operation.item = items.front();
            if (operation.kind == OperationKind::Write) {
                std::string why;
                if (!ParseValueArgument(operation.value, operation.item->ShownWidth(),
                                        operation.item->HasFlags(ItemFlag::Signed), why)) {
                    error = "write " + operation.name + ": " + why;
                    return false;
                }
            }
            break;
        }
        case OperationKind::Script: {
            // A script macro of the description by name, else a Basic file.
            const CBasicMacro* macro = nullptr;
            for (const auto& candidate : doc.GetScriptMacros()) {
                if (candidate->GetName() == operation.name)
                    macro = candidate.get();
            }
            if (macro != nullptr && !macro->IsValid()) {
                error = "script macro '" + operation.name + "' has no Basic file";
                return false;
            }
            if (macro != nullptr) {
                operation.name = macro->GetFile();
            } else if (Result<std::string> file = ReadTextFile(operation.name); !file) {
                error =
                    "no script macro or Basic file '" + operation.name + "': " + file.Error().text;
                return false;
            }
            break;
        }
        case OperationKind::Macro: {
            bool found = false;
            for (const auto& macro : doc.GetMacros())
                found = found || macro->GetName() == operation.name;
            if (!found) {
                error = "no register macro '" + operation.name + "'";
                return false;
            }
            break;
        }
        default:
            break;
        }
    }
    return true;
}

void PrintValue(std::ostream& out, const std::string& name, const CVarItem& item) {
    std::string text = FormatValue(item.ShownValue(), item.ShownWidth());
    if (!item.HasFlags(ItemFlag::ValueShown))
        text = "0x" + std::string(text.size() - 2, 'X');
    out << name << " = " << text << '\n';
}

// Runs one operation; false when a transfer or a file operation failed or a script ended
// with an error. The script host is made on the first script.
bool Run(CVekDoc& doc, const Operation& operation, std::ostream& out,
         std::unique_ptr<ScriptHost>& scripts) {
    switch (operation.kind) {
    case OperationKind::Script:
        if (!scripts) {
            scripts = std::make_unique<ScriptHost>(
                *doc.Context().host, [&out](const std::string& line) { out << line << '\n'; });
            scripts->SetUp(doc);
        }
        return scripts->Run(operation.name);
    case OperationKind::Read:
        if (!doc.ReadRegister(*operation.item))
            return false;
        PrintValue(out, operation.name, *operation.item);
        return true;
    case OperationKind::Write: {
        std::string ignored;
        const auto value = ParseValueArgument(operation.value, operation.item->ShownWidth(),
                                              operation.item->HasFlags(ItemFlag::Signed), ignored);
        operation.item->DepositValue(*value);
        return doc.WriteRegister(*operation.item);
    }
    case OperationKind::Show:
        PrintValue(out, operation.name, *operation.item);
        return true;
    case OperationKind::Print:
        for (CLineItem& item : *doc.GetItems()) {
            if (item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField ||
                item.GetKind() == ItemKind::Variable) {
                auto& valueItem = static_cast<CVarItem&>(item);
                PrintValue(out, QualifiedName(*doc.GetItems(), valueItem), valueItem);
            }
        }
        return true;
    case OperationKind::WriteDefault:
        return doc.WriteAll(TransferFlag::WriteDefault) == 0;
    case OperationKind::WriteAll:
        return doc.WriteAll({}) == 0;
    case OperationKind::ReadAll:
        return doc.ReadAll() == 0;
    case OperationKind::Macro:
        for (const auto& macro : doc.GetMacros()) {
            if (macro->GetName() == operation.name) {
                macro->Run(0);
                break;
            }
        }
        return true;
    case OperationKind::Save:
        return doc.SaveValues(operation.name, operation.comment);
    case OperationKind::Load:
        return doc.LoadValues(operation.name);
    case OperationKind::Reset:
        doc.ResetDrivers();
        return true;
    }
    return true;
}

} // namespace

int RunOpenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kOpenUsage;
        return kExitOk;
    }
    Plan plan;
    std::string error;
    if (!ParsePlan(args, plan, error)) {
        err << "vek: " << error << '\n' << kOpenUsage;
        return kExitUsage;
    }
    if (Result<std::string> file = ReadTextFile(plan.path); !file) {
        err << "vek: cannot open '" << plan.path << "': " << file.Error().text << '\n';
        return kExitUsage;
    }
    ConsoleHost host(err, plan.yes        ? AnswerPolicy::Positive
                          : plan.simulate ? AnswerPolicy::AcceptSimulation
                                          : AnswerPolicy::AskTerminal);
    CVekDoc doc(host);
    if (plan.simulate && !doc.IsSimulation())
        doc.ToggleSimulation();
    if (!doc.OpenDocument(plan.path))
        return kExitErrors;
    if (!ResolveNames(doc, plan, error)) {
        err << "vek: " << error << '\n';
        return kExitUsage;
    }
    bool failed = false;
    std::unique_ptr<ScriptHost> scripts;
    for (const Operation& operation : plan.operations)
        failed = !Run(doc, operation, out, scripts) || failed;
    return failed ? kExitErrors : kExitOk;
}

} // namespace vek
