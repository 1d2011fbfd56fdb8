#include "cli/open_operations.h"

#include "cli/item_lookup.h"
#include "cli/script_interrupt.h"
#include "cli/value_argument.h"
#include "cli/vek_cli.h"
#include "document/vek_doc.h"
#include "model/item_list.h"
#include "model/register_codes.h"
#include "model/var_item.h"
#include "platform/text_file.h"
#include "scripting/script_host.h"

#include <ostream>

namespace vek {

namespace {

Result<void> Nothing(const CVekDoc&, Operation&) {
    return {};
}

// The one register, bit field or variable an operand names.
Result<void> ResolveItem(const CVekDoc& doc, Operation& operation) {
    const std::vector<CVarItem*> items = FindValueItems(*doc.GetItems(), operation.name);
    if (items.empty())
        return Failure{1, "no register, bit field or variable '" + operation.name + "'"};
    if (items.size() > 1) {
        return Failure{1, "'" + operation.name + "' names " + std::to_string(items.size()) +
                              " items; write DEVICE." + operation.name};
    }
    operation.item = items.front();
    return {};
}

Result<void> ResolveAssignment(const CVekDoc& doc, Operation& operation) {
    if (Result<void> found = ResolveItem(doc, operation); !found)
        return found;
    std::string why;
    const auto value = ParseValueArgument(operation.value, operation.item->ShownWidth(),
                                          operation.item->HasFlags(item_flag::Signed), why);
    if (!value)
        return Failure{1, "write " + operation.name + ": " + why};
    operation.parsedValue = *value;
    return {};
}

Result<void> ResolveMacro(const CVekDoc& doc, Operation& operation) {
    for (const auto& macro : doc.GetMacros()) {
        if (macro->GetName() == operation.name) {
            operation.macro = macro.get();
            return {};
        }
    }
    return Failure{1, "no register macro '" + operation.name + "'"};
}

// A script macro of the description by name, else a Basic file.
Result<void> ResolveScript(const CVekDoc& doc, Operation& operation) {
    for (const auto& macro : doc.GetScriptMacros()) {
        if (macro->GetName() != operation.name)
            continue;
        if (!macro->IsValid())
            return Failure{1, "script macro '" + operation.name + "' has no Basic file"};
        operation.name = macro->GetFile();
        return {};
    }
    if (Result<std::string> file = ReadTextFile(operation.name); !file) {
        return Failure{1, "no script macro or Basic file '" + operation.name +
                              "': " + file.Error().text};
    }
    return {};
}

void PrintValue(std::ostream& out, const std::string& name, const CVarItem& item) {
    std::string text = HexValueText(item.ShownValue(), item.ShownWidth());
    if (!item.HasFlags(item_flag::ValueShown))
        text = "0x" + std::string(text.size() - 2, 'X');
    out << name << " = " << text << '\n';
}

bool RunRead(OpenSession& session, const Operation& operation) {
    if (!session.doc.ReadRegister(*operation.item))
        return false;
    PrintValue(session.out, operation.name, *operation.item);
    return true;
}

bool RunWrite(OpenSession& session, const Operation& operation) {
    operation.item->DepositValue(operation.parsedValue);
    return session.doc.WriteRegister(*operation.item);
}

bool RunShow(OpenSession& session, const Operation& operation) {
    PrintValue(session.out, operation.name, *operation.item);
    return true;
}

bool RunPrint(OpenSession& session, const Operation&) {
    const CItemList& items = *session.doc.GetItems();
    for (const CLineItem& item : items) {
        if (item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField ||
            item.GetKind() == ItemKind::Variable) {
            const auto& valueItem = static_cast<const CVarItem&>(item);
            PrintValue(session.out, QualifiedName(items, valueItem), valueItem);
        }
    }
    return true;
}

bool RunWriteDefault(OpenSession& session, const Operation&) {
    return session.doc.WriteAll(transfer_flag::WriteDefault) == 0;
}

bool RunWriteAll(OpenSession& session, const Operation&) {
    return session.doc.WriteAll(0) == 0;
}

bool RunReadAll(OpenSession& session, const Operation&) {
    return session.doc.ReadAll() == 0;
}

bool RunMacro(OpenSession&, const Operation& operation) {
    operation.macro->Run(0);
    return true;
}

bool RunSave(OpenSession& session, const Operation& operation) {
    return session.doc.SaveValues(operation.name, operation.comment);
}

bool RunLoad(OpenSession& session, const Operation& operation) {
    return session.doc.LoadValues(operation.name);
}

bool RunReset(OpenSession& session, const Operation&) {
    session.doc.ResetDrivers();
    return true;
}

bool RunScript(OpenSession& session, const Operation& operation) {
    if (!session.scripts) {
        std::ostream& out = session.out;
        session.scripts = std::make_unique<ScriptHost>(
            *session.doc.Context().host, [&out](const std::string& line) { out << line << '\n'; });
        session.scripts->SetUp(session.doc);
    }
    ScriptHost& scripts = *session.scripts;
    scripts.SetTimeLimit(session.scriptTimeLimit);
    bool ran = false;
    {
        const CtrlCInterruptsScript ctrlC(scripts.Engine().GetInterrupt());
        ran = scripts.Run(operation.name);
    }
    if (scripts.LastEnding() == ScriptHost::Ending::Interrupted)
        session.endStatus = kExitInterrupted;
    else if (scripts.LastEnding() == ScriptHost::Ending::TimeLimit)
        session.endStatus = kExitTimeLimit;
    return ran;
}

constexpr OperationSpec kOperations[] = {
    {"read", OperandKind::Name, "read NAME",
     "read a register, bit field or variable and print 'NAME = 0x..'", ResolveItem, RunRead},
    {"write", OperandKind::Assignment, "write NAME=VALUE",
     "set a value and write it at once (write macros run)", ResolveAssignment, RunWrite},
    {"show", OperandKind::Name, "show NAME", "print the value as it stands, without a transfer",
     ResolveItem, RunShow},
    {"print", OperandKind::None, "print",
     "print every register, bit field and variable as DEVICE.NAME", Nothing, RunPrint},
    {"write-default", OperandKind::None, "write-default",
     "Write Default: every writable register with its default value", Nothing, RunWriteDefault},
    {"write-all", OperandKind::None, "write-all",
     "Write Now: every writable register with its current value", Nothing, RunWriteAll},
    {"read-all", OperandKind::None, "read-all", "Read Now: every readable register", Nothing,
     RunReadAll},
    {"macro", OperandKind::Name, "macro NAME", "run a register macro of the description",
     ResolveMacro, RunMacro},
    {"save", OperandKind::FileWithComment, "save FILE.vkg [--comment TEXT]",
     "save the register values", Nothing, RunSave},
    {"load", OperandKind::File, "load FILE.vkg",
     "load register values and write them to the devices", Nothing, RunLoad},
    {"reset", OperandKind::None, "reset", "reset the drivers (close and open them again)", Nothing,
     RunReset},
    {"script", OperandKind::Name, "script NAME|FILE",
     "run a script macro of the description, or the Main of a Basic\n"
     "file, with the register constants and the extension's methods",
     ResolveScript, RunScript},
};

} // namespace

std::span<const OperationSpec> OpenOperations() {
    return kOperations;
}

const OperationSpec* FindOpenOperation(const std::string& word) {
    for (const OperationSpec& spec : kOperations) {
        if (word == spec.word)
            return &spec;
    }
    return nullptr;
}

} // namespace vek
