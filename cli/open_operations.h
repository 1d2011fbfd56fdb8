#pragma once

#include "cli/argument_reader.h"
#include "cli/diagnostic_formats.h"
#include "cli/option_form.h"
#include "cli/register_dump.h"
#include "cli/register_watch.h"
#include "platform/result.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace vek {

class CVarItem;
class CVekDoc;
class CVekMacro;
class ScriptHost;
struct OperationForm;

// One operation of `vek open` as the command line gives it, completed by its resolve step.
struct Operation {
    const OperationForm* form = nullptr;
    std::string name;                 // item, macro or script name, or file
    std::vector<std::string> names;   // the names of an operation that takes several
    std::string value;                // the VALUE of NAME=VALUE[/MASK] as given
    std::optional<std::string> mask;  // the MASK as given
    std::vector<GivenOption> options; // as given
    std::string words;                // the operation's words on the command line, for naming it
    // Filled in before anything is transferred:
    CVarItem* item = nullptr;
    std::uint32_t parsedValue = 0;
    std::optional<std::uint32_t> parsedMask;
    CVekMacro* macro = nullptr;
    DumpRequest dump;
    WatchRequest watch;

    // The value of an option as given last, or null.
    const std::string* Option(std::string_view option) const;
};

// What the operations of one run share: the document, standard output and error, the script
// host, made on the first script, and the pacer of watch loops (null: the system's, with
// Ctrl-C).
struct OpenSession {
    CVekDoc& doc;
    std::ostream& out;
    std::ostream& err;
    std::unique_ptr<ScriptHost> scripts;
    WatchPacer* pacer = nullptr;
    std::chrono::milliseconds scriptTimeLimit{0};          // --time-limit; zero: none
    DiagnosticFormat diagnostics = DiagnosticFormat::Text; // of Basic's compile errors
    // Set by an operation that ends the whole run: a script stopped by Ctrl-C or its time limit.
    int endStatus = 0;
};

// What follows an operation's word on the command line: nothing, one name, one file, NAME=VALUE
// (with an optional /MASK), or one or more names (up to the next operation or option).
enum class OperandKind { None, Name, File, Assignment, Names };

// One operation of `vek open`: its word, its operand and options, what the shell completes its
// operand with, its lines of the usage text, the look-up done before any transfer, and the run.
// Run answers false when a transfer, a file operation or a script failed.
struct OperationForm {
    const char* word;
    OperandKind operand;
    std::span<const OptionForm> options;
    // Blank-separated: "names", "macros" or "scripts" of the description, file patterns ("*.vkg").
    const char* completion;
    const char* syntax;
    const char* help; // lines after the first are indented under the first
    Result<void> (*resolve)(const CVekDoc& doc, Operation& operation);
    bool (*run)(OpenSession& session, const Operation& operation);
};

// Every operation, in the order the usage text lists them.
std::span<const OperationForm> OpenOperations();

const OperationForm* FindOpenOperation(const std::string& word);

} // namespace vek
