#include "cli/open_operations.h"

#include "cli/ctrl_c.h"
#include "cli/interrupt_pacer.h"
#include "cli/item_lookup.h"
#include "cli/value_argument.h"
#include "cli/vek_cli.h"
#include "document/vek_doc.h"
#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/item_list.h"
#include "model/register_codes.h"
#include "model/var_item.h"
#include "platform/file_replacement.h"
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
    Result<CVarItem*> item = FindOneValueItem(*doc.GetItems(), operation.name);
    if (!item)
        return item.Error();
    operation.item = item.Value();
    return {};
}

// The access type of the item an operation names; a variable has no register and takes both.
AccessType AccessOf(const CVarItem& item) {
    return item.GetKind() == ItemKind::Variable ? AccessType::Both : item.GetAccessType();
}

// Why a masked write cannot keep the other bits of an item: they are never read, or the
// register is never written with the value given. Empty when it can.
std::string MaskRefusal(const CVarItem& item) {
    switch (AccessOf(item)) {
    case AccessType::Write:
        return "it is a WRITE register and cannot be read, so its other bits are not known";
    case AccessType::Read:
    case AccessType::Status:
        return std::string("it is a ") + AccessName(item.GetAccessType()) +
               " register and is never written";
    case AccessType::Prot:
        return "it is a PROT register and is always written with its default";
    default:
        return {};
    }
}

// A read of a WRITE register would only show what the program holds: refused with the rest of
// the command line, before anything is transferred.
Result<void> ResolveRead(const CVekDoc& doc, Operation& operation) {
    if (Result<void> found = ResolveItem(doc, operation); !found)
        return found;
    if (AccessOf(*operation.item) == AccessType::Write)
        return Failure{1, "read " + operation.name + ": a WRITE register is never read"};
    return {};
}

Result<void> ResolveAssignment(const CVekDoc& doc, Operation& operation) {
    if (Result<void> found = ResolveItem(doc, operation); !found)
        return found;
    const std::string what = "write " + operation.name + ": ";
    const int width = operation.item->ShownWidth();
    std::string why;
    const auto value =
        ParseValueArgument(operation.value, width, operation.item->HasFlags(ItemFlag::Signed), why);
    if (!value)
        return Failure{1, what + why};
    operation.parsedValue = *value;
    if (!operation.mask) {
        if (const AccessType access = AccessOf(*operation.item);
            access == AccessType::Read || access == AccessType::Status)
            return Failure{1, what + "a " + AccessName(access) + " register is never written"};
        return {};
    }
    const auto mask = ParseValueArgument(*operation.mask, width, false, why);
    if (!mask)
        return Failure{1, what + "mask " + why};
    if (*mask == 0)
        return Failure{1, what + "mask " + *operation.mask + " selects no bits"};
    if ((*value & ~*mask) != 0) {
        return Failure{1, what + "value " + HexValueText(*value, width) +
                              " has bits outside mask " + HexValueText(*mask, width)};
    }
    if (const std::string refusal = MaskRefusal(*operation.item); !refusal.empty())
        return Failure{1, what + "no masked write: " + refusal};
    operation.parsedMask = *mask;
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
    if (Result<std::string> file = ReadTextFile(operation.name, kScriptFileLimit); !file) {
        return Failure{1, "no script macro or Basic file '" + operation.name +
                              "': " + file.Error().text};
    }
    return {};
}

Result<void> ResolveDump(const CVekDoc&, Operation& operation) {
    if (const std::string* format = operation.Option("--format")) {
        const std::optional<DumpFormat> named = DumpFormatNamed(*format);
        if (!named)
            return Failure{1, "dump: unknown format '" + *format + "'; use text, csv or json"};
        operation.dump.format = *named;
    }
    if (const std::string* output = operation.Option("--output"))
        operation.dump.output = *output;
    return {};
}

// Whether reading the item runs register macros (a bit field runs its register's).
bool ReadsRunMacros(const CVekDoc& doc, const CVarItem& item) {
    const CVarItem* owner = &item;
    if (item.GetKind() == ItemKind::BitField)
        owner = static_cast<const CBitItem&>(item).GetRegister();
    return owner != nullptr && doc.GetFlags().Has(MacroFlag::ReadMacros) &&
           owner->GetMacroFlags().Has(MacroFlag::ReadMacros) &&
           (owner->GetBeforeRead() != nullptr || owner->GetAfterRead() != nullptr);
}

// A whole number of a watch option from `min` to `max`; any other text is refused with the range.
Result<std::uint32_t> NumberOption(const Operation& operation, const char* option,
                                   std::uint32_t fallback, std::uint32_t min, std::uint32_t max) {
    const std::string* text = operation.Option(option);
    if (text == nullptr)
        return fallback;
    std::string why;
    const auto number = ParseValueArgument(*text, 32, false, why);
    if (!number || *number < min || *number > max) {
        return Failure{1, std::string("watch ") + option + " takes a whole number from " +
                              std::to_string(min) + " to " + std::to_string(max) + ", not '" +
                              *text + "'"};
    }
    return *number;
}

Result<void> ResolveWatch(const CVekDoc& doc, Operation& operation) {
    WatchRequest& watch = operation.watch;
    const bool allowMacros = operation.Option("--allow-read-macros") != nullptr;
    for (const std::string& name : operation.names) {
        Result<CVarItem*> found = FindOneValueItem(*doc.GetItems(), name);
        if (!found)
            return found.Error();
        const CVarItem& item = *found.Value();
        if (item.GetKind() == ItemKind::Variable)
            return Failure{1, "watch " + name + ": a variable has no register to read"};
        if (item.GetAccessType() == AccessType::Write)
            return Failure{1, "watch " + name + ": a WRITE register cannot be read"};
        if (!allowMacros && ReadsRunMacros(doc, item)) {
            return Failure{1, "watch " + name +
                                  ": every read runs register macros; add --allow-read-macros "
                                  "to watch it all the same"};
        }
        watch.names.push_back(name);
        watch.items.push_back(found.Value());
    }
    Result<std::uint32_t> interval =
        NumberOption(operation, "--interval", 1000, 0, kMaxWatchIntervalMs);
    if (!interval)
        return interval.Error();
    Result<std::uint32_t> count = NumberOption(operation, "--count", 0, 1, UINT32_MAX);
    if (!count)
        return count.Error();
    watch.interval = std::chrono::milliseconds(interval.Value());
    watch.count = count.Value();
    return {};
}

// In simulation mode a register's value comes from no device, and the line says so.
void PrintValue(const OpenSession& session, const std::string& name, const CVarItem& item) {
    const bool simulated = session.doc.IsSimulation() && item.GetKind() != ItemKind::Variable;
    session.out << name << " = " << ShownHex(item) << (simulated ? " (simulated)" : "") << '\n';
}

bool RunRead(OpenSession& session, const Operation& operation) {
    if (!session.doc.ReadRegister(*operation.item))
        return false;
    PrintValue(session, operation.name, *operation.item);
    return true;
}

// A write that the access type changes is said, so that nobody takes it for the value given.
void SayWhatTheWriteDid(OpenSession& session, const Operation& operation) {
    if (AccessOf(*operation.item) == AccessType::Prot) {
        session.err << "vek: write " << operation.name
                    << ": a PROT register is always written with its default\n";
    }
}

// A masked write reads the item first and keeps the bits outside the mask.
bool RunWrite(OpenSession& session, const Operation& operation) {
    std::uint32_t value = operation.parsedValue;
    if (operation.parsedMask) {
        if (!session.doc.ReadRegister(*operation.item)) {
            session.err << "vek: write " << operation.name
                        << ": not written, the read of its other bits failed\n";
            return false;
        }
        const std::uint32_t mask = *operation.parsedMask;
        value = (operation.item->ShownValue() & ~mask) | (value & mask);
    }
    operation.item->DepositValue(value);
    if (!session.doc.WriteRegister(*operation.item))
        return false;
    SayWhatTheWriteDid(session, operation);
    return true;
}

bool RunShow(OpenSession& session, const Operation& operation) {
    PrintValue(session, operation.name, *operation.item);
    return true;
}

bool RunPrint(OpenSession& session, const Operation&) {
    const CItemList& items = *session.doc.GetItems();
    for (const CLineItem& item : items) {
        if (item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField ||
            item.GetKind() == ItemKind::Variable) {
            const auto& valueItem = static_cast<const CVarItem&>(item);
            PrintValue(session, QualifiedName(items, valueItem), valueItem);
        }
    }
    return true;
}

bool RunWriteDefault(OpenSession& session, const Operation&) {
    return session.doc.WriteAll(TransferFlag::WriteDefault) == 0;
}

bool RunWriteAll(OpenSession& session, const Operation&) {
    return session.doc.WriteAll({}) == 0;
}

bool RunReadAll(OpenSession& session, const Operation&) {
    return session.doc.ReadAll() == 0;
}

bool RunMacro(OpenSession& session, const Operation& operation) {
    const int failedBefore = session.doc.Context().failedTransfers;
    operation.macro->Run(0);
    const int failed = session.doc.Context().failedTransfers - failedBefore;
    if (failed > 0) {
        session.err << "vek: macro " << operation.name << ": " << failed << " transfer(s) failed\n";
        return false;
    }
    return true;
}

bool RunSave(OpenSession& session, const Operation& operation) {
    const std::string* comment = operation.Option("--comment");
    return session.doc.SaveValues(operation.name, comment != nullptr ? *comment : "");
}

bool RunLoad(OpenSession& session, const Operation& operation) {
    return session.doc.LoadValues(operation.name);
}

bool RunReset(OpenSession& session, const Operation&) {
    return session.doc.ResetDrivers();
}

bool RunScript(OpenSession& session, const Operation& operation) {
    if (!session.scripts) {
        std::ostream& out = session.out;
        session.scripts = std::make_unique<ScriptHost>(
            *session.doc.Context().host,
            // Each line goes out whole at once, so that a pipe's reader sees it as printed.
            [&out](const std::string& line) { out << line << '\n'
                                                  << std::flush; });
        if (session.diagnostics == DiagnosticFormat::Gcc) {
            std::ostream& err = session.err;
            session.scripts->SetDiagnosticSink([&err](const basic::Diagnostic& found) {
                err << GccLine({found.module, found.line, found.column, {}, found.message}) << '\n';
            });
        }
        session.scripts->SetUp(session.doc);
    }
    ScriptHost& scripts = *session.scripts;
    scripts.SetTimeLimit(session.scriptTimeLimit);
    bool ran = false;
    {
        const CtrlCRaises ctrlC(scripts.Engine().GetInterrupt());
        ran = scripts.Run(operation.name);
    }
    if (scripts.LastEnding() == ScriptHost::Ending::Interrupted)
        session.endStatus = kExitInterrupted;
    else if (scripts.LastEnding() == ScriptHost::Ending::TimeLimit)
        session.endStatus = kExitTimeLimit;
    return ran;
}

bool RunDump(OpenSession& session, const Operation& operation) {
    const std::string text = DumpRegisters(session.doc, operation.dump.format);
    if (operation.dump.output.empty()) {
        session.out << text;
        return true;
    }
    // Replaced whole, as a save is: a dump that cannot be written leaves the old file.
    if (const Result<void> saved = ReplaceFile(operation.dump.output, text); !saved) {
        session.err << "vek: dump: " << saved.Error().text << '\n';
        return false;
    }
    return true;
}

bool RunWatch(OpenSession& session, const Operation& operation) {
    if (session.pacer != nullptr)
        return WatchRegisters(session.doc, operation.watch, *session.pacer, session.out);
    // Ctrl-C stops the loop only while it runs.
    InterruptPacer pacer;
    return WatchRegisters(session.doc, operation.watch, pacer, session.out);
}

constexpr std::span<const OptionForm> kNoOptions;
constexpr OptionForm kSaveOptions[] = {{"--comment", "TEXT"}};
constexpr OptionForm kDumpOptions[] = {{"--format", "text|csv|json"}, {"--output", "FILE", 'o'}};
constexpr OptionForm kWatchOptions[] = {
    {"--interval", "MS"}, {"--count", "N"}, {"--allow-read-macros", nullptr}};

constexpr OperationForm kOperations[] = {
    {"read", OperandKind::Name, kNoOptions, "names", "read NAME",
     "read a register, bit field or variable and print 'NAME = 0x..'", ResolveRead, RunRead},
    {"write", OperandKind::Assignment, kNoOptions, "names", "write NAME=VALUE[/MASK]",
     "set a value and write it at once (write macros run); with a MASK\n"
     "the item is read first and only the mask's bits change",
     ResolveAssignment, RunWrite},
    {"show", OperandKind::Name, kNoOptions, "names", "show NAME",
     "print the value as it stands, without a transfer", ResolveItem, RunShow},
    {"print", OperandKind::None, kNoOptions, "", "print",
     "print every register, bit field and variable as DEVICE.NAME", Nothing, RunPrint},
    {"dump", OperandKind::None, kDumpOptions, "", "dump [--format text|csv|json] [--output FILE]",
     "every register, bit field and variable with its device, address,\n"
     "access type, width, default, value as it stands and its value's text",
     ResolveDump, RunDump},
    {"write-default", OperandKind::None, kNoOptions, "", "write-default",
     "Write Default: every writable register with its default value", Nothing, RunWriteDefault},
    {"write-all", OperandKind::None, kNoOptions, "", "write-all",
     "Write Now: every writable register with its current value", Nothing, RunWriteAll},
    {"read-all", OperandKind::None, kNoOptions, "", "read-all", "Read Now: every readable register",
     Nothing, RunReadAll},
    {"watch", OperandKind::Names, kWatchOptions, "names",
     "watch NAME... [--interval MS] [--count N] [--allow-read-macros]",
     "read the named registers every MS milliseconds (1000) and print a\n"
     "time-stamped line when a value changes; Ctrl-C or N rounds end it\n"
     "with a summary. Registers whose reads run macros need the last option",
     ResolveWatch, RunWatch},
    {"macro", OperandKind::Name, kNoOptions, "macros", "macro NAME",
     "run a register macro of the description", ResolveMacro, RunMacro},
    {"save", OperandKind::File, kSaveOptions, "*.vkg", "save FILE.vkg [--comment TEXT]",
     "save the register values", Nothing, RunSave},
    {"load", OperandKind::File, kNoOptions, "*.vkg", "load FILE.vkg",
     "load register values and write them to the devices", Nothing, RunLoad},
    {"reset", OperandKind::None, kNoOptions, "", "reset",
     "reset the drivers (close and open them again)", Nothing, RunReset},
    {"script", OperandKind::Name, kNoOptions, "scripts *.bas", "script NAME|FILE",
     "run a script macro of the description, or the Main of a Basic\n"
     "file, with the register constants and the extension's methods",
     ResolveScript, RunScript},
};

} // namespace

const std::string* Operation::Option(std::string_view option) const {
    return LastOptionValue(options, option);
}

std::span<const OperationForm> OpenOperations() {
    return kOperations;
}

const OperationForm* FindOpenOperation(const std::string& word) {
    for (const OperationForm& form : kOperations) {
        if (word == form.word)
            return &form;
    }
    return nullptr;
}

} // namespace vek
