#pragma once

#include "scripting/basic/ast.h"
#include "scripting/basic/opcodes.h"
#include "scripting/basic/record_type.h"
#include "scripting/basic/variant.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vek::basic {

// The compiled form of all modules: what the machine runs.

struct StatementInfo {
    int pc = 0; // first instruction
    int line = 0;
    // Where Resume Next goes on after an error in it: -1 for the next statement; past its loop for
    // the header of a For or For Each loop, whose body must not run without it.
    int resumeNext = -1;
};

struct ParamInfo : ParamMode {
    std::string name; // lower case
    Variant defaultValue;
};

// How a variable is declared: its kind (Empty: Variant), for an array the kind of its elements,
// and the user-defined type where the kind or the element kind is Record.
struct Declared {
    Tag type = Tag::Empty;
    Tag element = Tag::Empty;
    const RecordType* record = nullptr;

    bool IsRecord() const { return type == Tag::Record; }
    bool IsRecordArray() const { return element == Tag::Record; }
    // What an element of an array declared so is.
    Declared Element() const {
        return IsRecordArray() ? Declared{Tag::Record, Tag::Empty, record} : Declared{element};
    }
};

// The slots of a procedure's frame: parameters first, then the result, then locals and hidden
// loop slots. Parallel lists, so that a call copies the initial values in one run.
struct FrameSlots {
    std::vector<std::string> names; // lower case; empty for hidden slots
    std::vector<Tag> types;
    std::vector<Declared> declared; // the whole declaration, for the compiler and watches
    std::vector<bool> isRef;        // ByRef parameters
    std::vector<Variant> init;      // initial value of each slot past the parameters

    int Count() const { return static_cast<int>(names.size()); }
    // Adds a slot and returns its index.
    int Add(std::string name, const Declared& type, bool byRef, Variant initial);
    // The first slot that may hold a string, an array or a record (Count(): none). A slot of a
    // number type holds only such a number, or a reference to a variable of its type.
    int FirstShared() const;
};

// The steps from a variable to the place a store or a reference reaches: p.pos.x, a(i).values(j).
// Index values lie on the stack in step order.
struct AccessPath {
    struct Step {
        int member = -1; // a member of a record of type `record`; or -1:
        int indices = 0; // that many indices into an array
        const RecordType* record = nullptr;
    };
    std::vector<Step> steps;
    Tag kind = Tag::Empty;              // what a store there converts to
    const RecordType* record = nullptr; // kind Record: its type

    int IndexCount() const;
};

// A variable declared Static in a procedure: a module variable without a name in the module,
// reached only through the procedure's own name for it.
struct StaticVariable {
    std::string name; // lower case
    int global = 0;   // index into Program::globals
};

// The clause a Select Case over whole-number constants starts at for each value from `lower` on
// (SelectJump).
struct CaseTable {
    std::int32_t lower = 0;
    std::vector<int> targets;
};

struct Procedure {
    std::string name; // as declared
    int module = 0;   // index into Program::modules
    bool isFunction = false;
    bool isPublic = true;
    std::vector<ParamInfo> params;
    int resultSlot = -1; // functions: the slot assigned through the function's name
    std::vector<StaticVariable> statics;
    FrameSlots slots;
    std::vector<Instruction> code;
    std::vector<Variant> constants;
    std::vector<AccessPath> paths;         // of StorePath and RefPath
    std::vector<CaseTable> caseTables;     // of SelectJump
    std::vector<StatementInfo> statements; // in code order
    int maxStack = 0;                      // values the procedure pushes above its slots at most
    int releaseFrom = 1; // slots.FirstShared(), at least 1: a return empties from there up
    int line = 0;
    int endLine = 0;
    bool isWatch = false; // a debugger expression running on a paused frame's slots

    // Index into statements of the statement that contains pc, or -1.
    int StatementAt(int pc) const;
    // The pc at which Resume Next continues after an error in that statement (-1: none yet).
    int ResumeNextPc(int statement) const;
};

struct ModuleInfo {
    std::string name;
    bool textCompare = false; // Option Compare Text
    int arrayBase = 0;        // Option Base
};

struct GlobalInfo {
    std::string name; // as declared
    int module = 0;
    bool isPublic = false;
    Declared type;
    Variant init;
    bool fixedBounds = false; // an array declared with its bounds: Erase keeps them
};

// What a name declared at module level stands for.
enum class EntryKind { Global, Constant, Procedure };

struct NameEntry {
    EntryKind kind = EntryKind::Global;
    int index = 0;
    int module = 0;
};

struct ConstantInfo {
    std::string name;
    int module = 0;
    bool isPublic = false;
    Variant value;
};

// Module-level names, kept after compilation so the debugger can compile watch expressions.
// User-defined types have names of their own (Dim Point As Point is allowed).
struct SymbolTable {
    std::vector<std::unordered_map<std::string, NameEntry>> moduleNames; // lower-case keys
    std::unordered_map<std::string, std::vector<NameEntry>> publicNames;
    std::vector<ConstantInfo> constants;
    std::vector<std::unordered_map<std::string, NameEntry>> moduleTypes; // index: into records
    std::unordered_map<std::string, std::vector<NameEntry>> publicTypes;
    std::unordered_set<std::string> enums; // the lower-case names of Enum blocks: Long

    // The entry a name means inside `module`: its own names first, then the public names of all
    // modules. Returns false when unknown; `ambiguous` when several modules publish it.
    bool Lookup(int module, const std::string& lowerName, NameEntry& out, bool& ambiguous) const;
    // The same for the name of a user-defined type.
    bool LookupType(int module, const std::string& lowerName, NameEntry& out,
                    bool& ambiguous) const;
};

struct Program {
    SymbolTable symbols;
    std::vector<ModuleInfo> modules;
    std::vector<Procedure> procs;
    std::vector<GlobalInfo> globals;
    // Where values point to them, so each keeps its place.
    std::vector<std::unique_ptr<RecordType>> records;
};

// One line per instruction: "pc  Name a b c", for tests and for looking at generated code.
std::string Disassemble(const Procedure& proc);

} // namespace vek::basic
