#pragma once

#include "scripting/basic/ast.h"
#include "scripting/basic/compiler.h"
#include "scripting/basic/const_eval.h"
#include "scripting/basic/program.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vek::basic {

// Compiles one procedure body (or one watch expression) to instructions: resolves every name to a
// slot, module variable, constant, procedure, built-in or host function, and records statement
// starts for the debugger and for Resume.
class ProcCompiler : private ConstantResolver {
public:
    ProcCompiler(const Program& program, const std::vector<HostFunctionInfo>& hostFunctions,
                 int module, bool optionExplicit, Procedure& proc);

    // Declares a module variable for a variable a Static Sub or Function declares by using it,
    // and returns its index.
    using StaticDeclarer =
        std::function<int(const std::string& name, const Declared& type, Variant init)>;
    void SetStaticDeclarer(StaticDeclarer declarer) { declareStatic_ = std::move(declarer); }

    // Compiles the body; errors are reported with the module name given.
    void CompileBody(const ProcDecl& decl, const std::string& moduleName, ErrorReporter& errors);
    // Compiles a watch expression; throws its CompileMessage on error.
    void CompileWatchExpression(const Expr& expr);

private:
    enum class SymbolKind { None, Local, RefParam, Global, Constant, Procedure, Builtin, Host };
    // A name and, for a variable, how it is declared.
    struct Symbol : Declared {
        SymbolKind kind = SymbolKind::None;
        int index = 0;
        Variant value; // constants
    };
    // A variable reached through indices and members (a(i).pos.x, .values(j) inside With): the
    // variable, the steps and where each index value comes from: an expression, or a hidden
    // slot that holds it (a With object's indices are evaluated once, when the With starts).
    struct PathIndex {
        const Expr* expr = nullptr;
        int slot = -1;
    };
    struct Path {
        Symbol root;
        std::vector<AccessPath::Step> steps;
        std::vector<PathIndex> indices;
        Declared type; // what the path reaches
    };
    struct LoopContext {
        bool isFor = false;
        std::vector<int> exits;
    };
    struct JumpPatch {
        int pc = 0;
        std::string label;
        Position pos;
        bool operandB = false;
    };

    bool Resolve(const std::string& lowerName, Variant& out, CompileMessage& error) override;
    StringCompare Compare() const override;
    // Operand a of a comparison or Like: 1 under Option Compare Text.
    int TextFlag() const { return Compare() == StringCompare::Text ? 1 : 0; }
    // Operand b of CompareJump and CompareConstJump: the orders that make `op` true, with the
    // text flag under Option Compare Text.
    int CompareOperand(BinaryOp op) const;
    // Operand c of CallBuiltin: the module's options as BuiltinContext has them.
    int ModuleOptions() const;

    // statements (proc_compiler.cpp)
    void CompileBlock(const Block& block);
    void CompileStatement(const Stmt& s);
    void CompileDim(const Stmt& s);
    // Makes the procedure's names for its Static variables known from here on.
    void DeclareStatics(const Stmt& s);
    // Each dimension's lower bound (0 when not given) and upper bound.
    void CompileBounds(const std::vector<Bound>& bounds);
    void CompileReDim(const Stmt& s);
    void CompileErase(const Stmt& s);
    void CompileConst(const Stmt& s);
    void CompileIf(const Stmt& s);
    void CompileSelect(const Stmt& s);
    // Compares the Select value in `valueSlot` with `value` and jumps when the comparison gives
    // `when`; returns the jump's pc.
    int EmitCaseTest(int valueSlot, BinaryOp op, const Expr& value, bool when);
    // The variable a For or For Each loop runs through.
    Symbol LoopVariable(const Stmt& s, CompileError notVariable);
    // The statement that is a loop's header (its For line), or -1 inside a single-line If, whose
    // parts share the If's statement.
    int LoopHeader() const;
    // Sends the loop's Exit jumps to the next instruction, where Resume Next after an error in
    // the header (-1: none) goes on too.
    void CloseLoop(int header);
    void CompileFor(const Stmt& s);
    void CompileForEach(const Stmt& s);
    void CompileDo(const Stmt& s);
    void CompileExit(const Stmt& s);
    void CompilePrint(const Stmt& s);
    void CompileLabel(const Stmt& s);
    void CompileSequence(const Stmt& s);
    void CompileGoTo(const Stmt& s);
    void CompileOnJump(const Stmt& s);
    void CompileAssert(const Stmt& s);
    // On Error and Resume: the mode in operand a; the mode that goes on at the statement's label
    // gets the label's pc in operand b.
    void CompileErrorMode(const Stmt& s);
    void CompileWith(const Stmt& s);
    void CompileAssign(const Stmt& s);
    // fused stores (proc_compiler_fused.cpp)
    // x = x + y, x - y, x * y for a local x: one instruction after y's code, when nothing y
    // runs can change x; false (nothing emitted) otherwise.
    bool CompileLocalUpdate(const Symbol& target, const Expr& value);
    // x + y, x - y, x * y with x in a slot: y's code, then one instruction that reads x, when
    // nothing y runs can change x; the operands' static kinds in left and right. False (nothing
    // emitted) otherwise.
    bool CompileSlotOperation(const Expr& e, Tag& left, Tag& right);
    // Makes the value just compiled, when it is slot op constant, store into the local itself;
    // false when it is not.
    bool FuseLocalStore(const Symbol& target);
    // Whether evaluating e may call a procedure of the program (which might change a local
    // passed ByRef on the way).
    bool CallsProcedure(const Expr& e);
    // For a Select Case whose Case items are all whole-number constants or ranges of them: the
    // first clause holding each value from `lower` on (-1: none); false for any other or one
    // spread wider than kMaxCaseTableSpan.
    bool CaseTableFor(const Stmt& s, std::int32_t& lower, std::vector<int>& clauseOf);
    // The slot of a variable named by e (a local or a ByRef parameter), or -1.
    int SlotOf(const Expr& e);
    // a(i) = value and a(i + k) = value for an array in a slot: the value, then one instruction
    // that reads the index from its variable, when the value cannot change it; false (nothing
    // emitted) otherwise.
    bool CompileElementStoreAt(const Symbol& array, const Expr& call, const Expr& value);
    // The local a Select Case tests in place, or -1: a local compared only with constants, which
    // no Case test can change.
    int SelectedLocal(const Stmt& s);
    void CompileCallStatement(const Stmt& s);
    void EmitLine(int line);
    // The next instruction starts a loop turn: it gets a statement check even inside a
    // single-line If, so that every loop can be stopped.
    void MarkLoopTurn() { statementPending_ = true; }
    void ResolveLabels();
    // Each jump within a statement that leads straight to the Return at `epilogue` (the end of
    // an If block before End Function) becomes a Return itself. It takes the End line's
    // statement check with it, so that stepping, breakpoints and Resume Next meet the same lines.
    void ReturnInPlaceOfJumps(int epilogue);
    // Resume Next after an error in the last statement of a block goes on where the block's
    // closing jump leads (past End If, End Select, back to Loop), not into the next block.
    void ResumeThroughBlockEnds();

    // expressions and calls (proc_compiler_expr.cpp). Each returns the static kind of what it
    // pushes: the declared type of a variable, an element, a function's result or a literal's kind,
    // and Empty for a Variant, whose arithmetic widens where typed arithmetic overflows.
    // CompileExpr takes values only; records and arrays of records are refused there.
    Tag CompileExpr(const Expr& e);
    // Any expression, records included, with its declared type.
    Declared CompileTyped(const Expr& e);
    // The value stored into (or passed for) something declared `target`: a record or an array of
    // records only where one of the same type is expected.
    void CompileValueFor(const Expr& value, const Declared& target);
    // Fails unless what is given may stand where `expected` is declared.
    static void CheckSameType(const Declared& expected, const Declared& given, Position pos);
    // A variable passed to a ByRef parameter of a number or String type must be declared so.
    static void CheckByRefType(const Declared& parameter, const Declared& given, Position pos);
    Tag CompileBinary(const Expr& e);
    // Emits the test of a condition and a jump taken when it is `when`; returns the jump's pc,
    // whose target (operand a) the caller patches.
    int EmitConditionalJump(const Expr& condition, bool when);
    Declared CompileName(const Expr& e);
    Declared CompileCallExpr(const Expr& call);
    // Err.Number, a member of a record (p.x, a(i).pos) or of the With object (.x).
    Declared CompileMember(const Expr& e);
    // An element of an array that is a member: p.values(i).
    Declared CompileMemberElement(const Expr& call);
    // An array element, or the variable itself without arguments.
    Declared CompileElementLoad(const Symbol& array, const Expr& call);
    // An element of what a call gives: Split(s, "=")(1).
    Declared CompileIndexedResult(const Expr& call);
    // Which of the first `given` arguments of a call goes to which parameter (names in lower
    // case): by position, or by name (Name:=value); null for a parameter left out. Giving one
    // twice is an error when `once`.
    std::vector<const Expr*> BindArguments(const Expr& call, std::size_t given,
                                           const std::vector<std::string>& params,
                                           const std::string& callee, bool once);
    Declared CompileProcCall(int procIndex, const Expr& call);
    // The kind the value of `e` has whenever it is computed; Empty when that is not sure. A
    // variable of a number or String type holds only that kind, and so does a reference to one
    // (CheckByRefType), so the kind is sure for them and for whole-number and Double arithmetic
    // on them.
    Tag ExactKind(const Expr& e);
    // Makes the RefLocal at `first` and the one after it, the last instruction, one RefLocals;
    // returns -1, as no third joins them.
    int FuseRefs(int first);
    // The CoerceParam instructions that start a procedure, one for each run of parameters of one
    // type; a call whose arguments have their parameters' types enters past them.
    static std::vector<Instruction> ParamConversions(const std::vector<ParamInfo>& params);
    // An argument for a ByRef parameter: a variable, an element of an array variable or a member
    // travels as a reference (true, with what it refers to in `type`); anything else is left to
    // be passed as a value (false).
    bool CompileReference(const Expr& arg, Declared& type);
    // Err.Raise and Err.Clear, which give no value; false for any other call.
    bool CompileErrMethod(const Expr& call);
    // Arguments as values; `firstAnyArray`: the first may be an array of records.
    void CompileValueArgs(const Expr& call, int minArgs, int maxArgs, const std::string& name,
                          bool firstAnyArray = false);
    void CompileErrRaise(const Expr& call);
    // The instructions that load, store and pass on a variable of one kind.
    struct VariableAccess {
        Op load;
        Op store;
        Op ref;
    };
    // A constant fails with AssignToConstant, anything else that is no variable with
    // ExpectedVariable.
    static const VariableAccess& AccessOf(const Symbol& variable, Position pos);
    void EmitLoad(const Symbol& symbol, Position pos);
    void EmitStore(const Symbol& symbol, Position pos);
    void EmitRef(const Symbol& symbol, Position pos);
    bool IsVariable(const Symbol& symbol) const;
    // The static kind a symbol gives when loaded (Empty: a Variant).
    static Declared StaticKind(const Symbol& symbol);
    // The result of the function being compiled, named in a path: F.x = 1 inside F.
    bool IsOwnResult(const Expr& e) const;
    Symbol ResultSymbol() const;
    // What a bare name stands for: inside a function its own name is the value assigned so far.
    Symbol LookupName(const Expr& name);
    // paths (proc_compiler_path.cpp)
    // The member `name` of a record of declared type `object`, with its index.
    static Declared MemberOf(const Declared& object, const std::string& name, Position pos,
                             int& index);
    // The path an expression names; false for anything that is no variable (a function's
    // result, a constant, an operation).
    bool ResolvePath(const Expr& e, Path& out);
    // Pushes a reference to the path's variable and the index values of its steps.
    void EmitPathStart(const Path& path);
    // Adds the steps of a store or reference to the procedure's paths.
    int AddAccessPath(const Path& path);
    // Pushes the value the path reaches (the object of a With).
    void EmitPathLoad(const Path& path);
    // The path of the innermost With's object.
    const Path& WithObject(const std::string& member, Position pos) const;
    // Pushes the expression's value when it is constant; false when it is not.
    bool TryFold(const Expr& e, Tag& kind);
    Symbol Lookup(const std::string& name, Position pos);
    Symbol GlobalSymbol(int index) const;
    Symbol LocalSymbol(int slot) const;
    Symbol LookupOrDeclare(const std::string& name, Position pos);
    int DeclareLocal(const std::string& name, const Declared& type, Position pos, Variant init);
    // A variable declared by using it (or by ReDim): a local, or static in a Static procedure.
    Symbol DeclareImplicit(const std::string& name, const Declared& type, Position pos,
                           Variant init);
    int HiddenSlots(int count, const Declared& type = {});
    int ErrField(const std::string& member, Position pos) const;

    // emitting
    int Emit(Op op, int a = 0, int b = 0, int c = 0, int d = 0);
    // Whether the code from `start` on is `count` loads of slots (locals or ByRef parameters)
    // that can stand in operand d; if so, drops them and gives their slots, for an instruction
    // that reads the slots itself.
    bool TakeSlotLoads(int start, int count, int* slots);
    // CompareConstJump, or CompareLocalConstJump when the left operand from leftStart on is a
    // slot's load.
    int EmitCompareConstJump(int leftStart, int operand, const Variant& constant);
    int Here() const { return static_cast<int>(proc_.code.size()); }
    void PatchA(int pc, int target) { proc_.code[static_cast<std::size_t>(pc)].a = target; }
    void PatchB(int pc, int target) { proc_.code[static_cast<std::size_t>(pc)].b = target; }
    void PatchC(int pc, int target) { proc_.code[static_cast<std::size_t>(pc)].c = target; }
    int AddConstant(const Variant& value);
    [[noreturn]] static void Fail(Position pos, CompileError error, std::string arg = {},
                                  std::string secondArg = {});

    const Program& program_;
    const std::vector<HostFunctionInfo>& hostFunctions_;
    int module_;
    bool optionExplicit_;
    Procedure& proc_;
    std::unordered_set<int> fixedLocals_;         // slots of arrays declared with their bounds
    std::unordered_map<std::string, int> locals_; // name to slot
    std::unordered_map<std::string, Variant> localConstants_;
    std::unordered_map<std::string, int> statics_; // Static variables: name to module variable
    StaticDeclarer declareStatic_;                 // set in a Static Sub or Function
    bool allStatic_ = false;                       // compiling a Static Sub or Function
    std::unordered_map<std::string, int> labels_;
    std::vector<JumpPatch> labelJumps_;
    std::vector<LoopContext> loops_;
    std::vector<Path> withObjects_; // innermost last
    std::vector<int> exitJumps_;
    int depth_ = 0;
    int singleLine_ = 0; // inside a single-line If, whose parts share its statement
    bool statementPending_ = false;
    bool inFunction_ = false;

    friend class ProgramCompiler;
};

} // namespace vek::basic
