#pragma once

#include "platform/result.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

namespace vek {

class CVarItem;
class CVekDoc;
class CVekMacro;
class ScriptHost;
struct OperationSpec;

// One operation of `vek open` as the command line gives it, completed by its resolve step.
struct Operation {
    const OperationSpec* spec = nullptr;
    std::string name;    // item, macro or script name, or file
    std::string value;   // the VALUE of NAME=VALUE as given
    std::string comment; // save's --comment
    // Filled in before anything is transferred:
    CVarItem* item = nullptr;
    std::uint32_t parsedValue = 0;
    CVekMacro* macro = nullptr;
};

// What the operations of one run share: the document, standard output and the script host,
// made on the first script.
struct OpenSession {
    CVekDoc& doc;
    std::ostream& out;
    std::unique_ptr<ScriptHost> scripts;
    std::chrono::milliseconds scriptTimeLimit{0}; // --time-limit; zero: none
    // Set by an operation that ends the whole run: a script stopped by Ctrl-C or its time limit.
    int endStatus = 0;
};

// What follows an operation's word on the command line.
enum class OperandKind { None, Name, File, Assignment, FileWithComment };

// One operation of `vek open`: its word, its operand, its lines of the usage text, the look-up
// done before any transfer, and the run. Run answers false when a transfer, a file operation
// or a script failed.
struct OperationSpec {
    const char* word;
    OperandKind operand;
    const char* syntax;
    const char* help; // lines after the first are indented under the first
    Result<void> (*resolve)(const CVekDoc& doc, Operation& operation);
    bool (*run)(OpenSession& session, const Operation& operation);
};

// Every operation, in the order the usage text lists them.
std::span<const OperationSpec> OpenOperations();

const OperationSpec* FindOpenOperation(const std::string& word);

} // namespace vek
