#pragma once

#include "scripting/basic/ast.h"
#include "scripting/basic/compile_errors.h"
#include "scripting/basic/program.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vek::basic {

// The user-defined type a declaration names in `module`: its own types first, then the Public
// ones of all modules. Throws the CompileMessage (at `pos`) when there is none or several.
const RecordType* FindRecordType(const Program& program, int module, const std::string& name,
                                 Position pos);

// The declared type of a variable, a member or a parameter: typeName resolved as above.
Declared DeclaredOf(const Program& program, int module, Tag type, const std::string& typeName,
                    bool isArray, Position pos);

// Builds the user-defined types of all modules: declares their names (before any declaration
// uses them), then resolves their members, refuses a type that contains itself and makes each
// type's blank value, the members' fixed array bounds evaluated as constants.
class RecordTypeBuilder {
public:
    // Evaluates a constant whole number of a module's text (array bounds); false after reporting.
    using ConstantInt = std::function<bool(int module, const Expr& e, std::int32_t& out)>;

    RecordTypeBuilder(Program& program, ErrorReporter& errors, ConstantInt constantInt)
        : program_(program), errors_(errors), constantInt_(std::move(constantInt)) {}

    void Declare(int module, const ModuleAst& ast);
    // Once all names and constants are known.
    void Build();

private:
    enum class State { Pending, Busy, Done };

    void Error(int module, const CompileMessage& message);
    void ResolveMembers(std::size_t index);
    // Builds the blank value after those of the types it contains; `depth` counts the types
    // being built one inside the other.
    void BuildBlank(std::size_t index, int depth);
    Variant MemberStart(std::size_t index, const VarDecl& decl, const RecordMember& member);

    Program& program_;
    ErrorReporter& errors_;
    ConstantInt constantInt_;
    std::vector<const TypeDecl*> decls_; // parallel to program_.records
    std::vector<State> states_;
};

} // namespace vek::basic
