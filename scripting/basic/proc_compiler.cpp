// Statements of a procedure body.
#include "scripting/basic/proc_compiler.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/builtins.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/record_types.h"
#include "scripting/basic/text_util.h"

#include <algorithm>
#include <limits>

namespace vek::basic {

ProcCompiler::ProcCompiler(const Program& program,
                           const std::vector<HostFunctionInfo>& hostFunctions, int module,
                           bool optionExplicit, Procedure& proc)
    : program_(program), hostFunctions_(hostFunctions), module_(module),
      optionExplicit_(optionExplicit), proc_(proc) {
    for (int i = 0; i < proc_.slots.Count(); ++i) {
        if (!proc_.slots.names[static_cast<std::size_t>(i)].empty()) {
            locals_[proc_.slots.names[static_cast<std::size_t>(i)]] = i;
        }
    }
    inFunction_ = proc_.isFunction && !proc_.isWatch;
    // A watch sees every Static variable of the procedure it stopped in.
    for (const StaticVariable& variable : proc_.statics) {
        if (proc_.isWatch) {
            statics_[variable.name] = variable.global;
        }
    }
}

void ProcCompiler::Fail(Position pos, CompileError error, std::string arg, std::string secondArg) {
    throw CompileMessage(error, pos, std::move(arg), std::move(secondArg));
}

int ProcCompiler::Emit(Op op, int a, int b, int c, int d) {
    proc_.code.push_back({op, statementPending_, static_cast<std::int16_t>(d), a, b, c});
    statementPending_ = false;
    depth_ += StackEffect(proc_.code.back());
    proc_.maxStack = std::max(proc_.maxStack, depth_);
    return Here() - 1;
}

bool ProcCompiler::TakeSlotLoads(int start, int count, int* slots) {
    if (Here() != start + count) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const Instruction& load = proc_.code[static_cast<std::size_t>(start + i)];
        if ((load.op != Op::LoadLocal && load.op != Op::LoadRef) ||
            load.a > std::numeric_limits<std::int16_t>::max()) {
            return false;
        }
        slots[i] = load.a;
    }
    // The fused instruction takes the place of the first load, and starts its statement if that
    // did.
    statementPending_ = proc_.code[static_cast<std::size_t>(start)].startsStatement;
    proc_.code.resize(static_cast<std::size_t>(start));
    depth_ -= count;
    return true;
}

int ProcCompiler::AddConstant(const Variant& value) {
    proc_.constants.push_back(value);
    return static_cast<int>(proc_.constants.size()) - 1;
}

void ProcCompiler::EmitLine(int line) {
    if (singleLine_ > 0) {
        return;
    }
    proc_.statements.push_back({Here(), line});
    statementPending_ = true;
}

int ProcCompiler::DeclareLocal(const std::string& name, const Declared& type, Position pos,
                               Variant init) {
    const std::string lower = Lower(name);
    if (locals_.count(lower) != 0 || localConstants_.count(lower) != 0 ||
        statics_.count(lower) != 0) {
        Fail(pos, CompileError::DuplicateDeclaration, name);
    }
    const int slot = proc_.slots.Add(lower, type, false, std::move(init));
    locals_[lower] = slot;
    return slot;
}

int ProcCompiler::HiddenSlots(int count, const Declared& type) {
    const int first = proc_.slots.Count();
    for (int i = 0; i < count; ++i) {
        proc_.slots.Add({}, type, false, Variant());
    }
    return first;
}

void ProcCompiler::CompileBody(const ProcDecl& decl, const std::string& moduleName,
                               ErrorReporter& errors) {
    allStatic_ = decl.isStatic && declareStatic_;
    for (const Instruction& conversion : ParamConversions(proc_.params)) {
        Emit(conversion.op, conversion.a, conversion.b, conversion.c);
    }
    for (const StmtPtr& s : decl.body) {
        try {
            CompileStatement(*s);
        } catch (const CompileMessage& failure) {
            errors.Report(moduleName, failure);
            depth_ = 0;
            singleLine_ = 0;
            loops_.clear();
            withObjects_.clear();
        }
    }
    const int epilogue = Here();
    EmitLine(decl.endLine);
    Emit(Op::Return);
    for (int pc : exitJumps_) {
        PatchA(pc, epilogue);
    }
    try {
        ResolveLabels();
    } catch (const CompileMessage& failure) {
        errors.Report(moduleName, failure);
    }
    ReturnInPlaceOfJumps(epilogue);
    ResumeThroughBlockEnds();
    // Slot 0 is the floor, where the result goes.
    proc_.releaseFrom = std::max(1, proc_.slots.FirstShared());
}

std::vector<Instruction> ProcCompiler::ParamConversions(const std::vector<ParamInfo>& params) {
    std::vector<Instruction> conversions;
    for (std::size_t i = 0; i < params.size(); ++i) {
        const ParamInfo& p = params[i];
        if (p.type == Tag::Empty || p.type == Tag::Record || p.isArray) {
            continue;
        }
        // One instruction for a run of parameters of one type (x As Long, y As Long).
        const int slot = static_cast<int>(i);
        Instruction* last = conversions.empty() ? nullptr : &conversions.back();
        if (last != nullptr && last->b == static_cast<int>(p.type) && last->a + last->c == slot) {
            ++last->c;
        } else {
            conversions.push_back({Op::CoerceParam, false, 0, slot, static_cast<int>(p.type), 1});
        }
    }
    return conversions;
}

void ProcCompiler::ResolveLabels() {
    for (const JumpPatch& patch : labelJumps_) {
        const auto it = labels_.find(Lower(patch.label));
        if (it == labels_.end()) {
            Fail(patch.pos, CompileError::LabelNotDefined, patch.label);
        }
        if (patch.operandB) {
            PatchB(patch.pc, it->second);
        } else {
            PatchA(patch.pc, it->second);
        }
    }
}

void ProcCompiler::ReturnInPlaceOfJumps(int epilogue) {
    const int endLine = proc_.statements.back().line;
    for (int pc = 0; pc < epilogue; ++pc) {
        Instruction& jump = proc_.code[static_cast<std::size_t>(pc)];
        if (jump.op != Op::Jump || jump.startsStatement || jump.a != epilogue) {
            continue;
        }
        jump = {Op::Return, true};
        const auto at = std::upper_bound(
            proc_.statements.begin(), proc_.statements.end(), pc,
            [](int p, const StatementInfo& statement) { return p < statement.pc; });
        proc_.statements.insert(at, {pc, endLine});
    }
}

void ProcCompiler::ResumeThroughBlockEnds() {
    for (std::size_t i = 0; i + 1 < proc_.statements.size(); ++i) {
        StatementInfo& statement = proc_.statements[i];
        const int last = proc_.statements[i + 1].pc - 1;
        // A statement that compiled to nothing (one that failed to compile, say) has no closing
        // instruction of its own.
        if (statement.resumeNext >= 0 || last <= statement.pc) {
            continue;
        }
        const Instruction& closing = proc_.code[static_cast<std::size_t>(last)];
        if (closing.op == Op::Jump && !closing.startsStatement) {
            statement.resumeNext = last;
        }
    }
}

void ProcCompiler::CompileBlock(const Block& block) {
    for (const StmtPtr& s : block) {
        CompileStatement(*s);
    }
}

void ProcCompiler::CompileStatement(const Stmt& s) {
    // How each kind of statement compiles: by its function, or as one instruction. Labels and
    // declarations run nothing themselves; every other statement starts with its line.
    struct StatementRule {
        StmtKind kind;
        void (ProcCompiler::*compile)(const Stmt&);
        Op op;
        bool runs;
    };
    static constexpr StatementRule kRules[] = {
        {StmtKind::Label, &ProcCompiler::CompileLabel, {}, false},
        {StmtKind::Dim, &ProcCompiler::CompileDim, {}, false},
        {StmtKind::Const, &ProcCompiler::CompileConst, {}, false},
        {StmtKind::Assign, &ProcCompiler::CompileAssign, {}, true},
        {StmtKind::Call, &ProcCompiler::CompileCallStatement, {}, true},
        {StmtKind::ReDim, &ProcCompiler::CompileReDim, {}, true},
        {StmtKind::Erase, &ProcCompiler::CompileErase, {}, true},
        {StmtKind::If, &ProcCompiler::CompileIf, {}, true},
        {StmtKind::Select, &ProcCompiler::CompileSelect, {}, true},
        {StmtKind::For, &ProcCompiler::CompileFor, {}, true},
        {StmtKind::ForEach, &ProcCompiler::CompileForEach, {}, true},
        {StmtKind::Do, &ProcCompiler::CompileDo, {}, true},
        {StmtKind::Exit, &ProcCompiler::CompileExit, {}, true},
        {StmtKind::GoTo, &ProcCompiler::CompileGoTo, {}, true},
        {StmtKind::GoSub, &ProcCompiler::CompileGoTo, {}, true},
        {StmtKind::Return, nullptr, Op::GoSubReturn, true},
        {StmtKind::Sequence, &ProcCompiler::CompileSequence, {}, false},
        {StmtKind::OnError, &ProcCompiler::CompileErrorMode, {}, true},
        {StmtKind::OnJump, &ProcCompiler::CompileOnJump, {}, true},
        {StmtKind::Resume, &ProcCompiler::CompileErrorMode, {}, true},
        {StmtKind::Print, &ProcCompiler::CompilePrint, {}, true},
        {StmtKind::With, &ProcCompiler::CompileWith, {}, true},
        {StmtKind::End, nullptr, Op::EndProgram, true},
        {StmtKind::Stop, nullptr, Op::Stop, true},
        {StmtKind::Assert, &ProcCompiler::CompileAssert, {}, true},
    };
    for (const StatementRule& rule : kRules) {
        if (rule.kind != s.kind) {
            continue;
        }
        if (rule.runs) {
            EmitLine(s.pos.line);
        }
        if (rule.compile != nullptr) {
            (this->*rule.compile)(s);
        } else {
            Emit(rule.op);
        }
        return;
    }
}

void ProcCompiler::CompileSequence(const Stmt& s) {
    CompileBlock(s.body);
}

void ProcCompiler::CompileLabel(const Stmt& s) {
    if (!labels_.emplace(Lower(s.name), Here()).second) {
        Fail(s.pos, CompileError::DuplicateLabel, s.name);
    }
}

void ProcCompiler::CompileGoTo(const Stmt& s) {
    labelJumps_.push_back(
        {Emit(s.kind == StmtKind::GoSub ? Op::GoSub : Op::Jump), s.name, s.pos, false});
}

// The index, then a table of two instructions a label: its GoTo or GoSub, and a jump past the
// table, where a GoSub's Return comes back to.
void ProcCompiler::CompileOnJump(const Stmt& s) {
    CompileExpr(*s.value);
    Emit(Op::OnIndex, static_cast<int>(s.body.size()));
    std::vector<int> toEnd;
    for (const StmtPtr& jump : s.body) {
        CompileGoTo(*jump);
        toEnd.push_back(Emit(Op::Jump));
    }
    for (const int pc : toEnd)
        PatchA(pc, Here());
}

// Debug.Assert: a condition that is not True stops as Stop does.
void ProcCompiler::CompileAssert(const Stmt& s) {
    CompileExpr(*s.value);
    const int pass = Emit(Op::JumpIfTrue);
    Emit(Op::Stop);
    PatchA(pass, Here());
}

void ProcCompiler::CompileDim(const Stmt& s) {
    if (s.isStatic || allStatic_) {
        DeclareStatics(s);
        return;
    }
    for (const VarDecl& d : s.decls) {
        const Declared type = DeclaredOf(program_, module_, d.type, d.typeName, d.isArray, d.pos);
        if (!d.isArray) {
            DeclareLocal(d.name, type, d.pos,
                         type.IsRecord() ? type.record->blank : DefaultValue(type.type));
            continue;
        }
        const int slot =
            DeclareLocal(d.name, type, d.pos, UnallocatedArray(type.element, type.record));
        if (!d.bounds.empty()) {
            fixedLocals_.insert(slot);
            EmitLine(d.pos.line);
            CompileBounds(d.bounds);
            Emit(Op::NewArray, static_cast<int>(d.bounds.size()), static_cast<int>(type.element),
                 type.record != nullptr ? type.record->index + 1 : 0);
            Emit(Op::StoreLocal, slot, static_cast<int>(Tag::Empty));
        }
    }
}

void ProcCompiler::DeclareStatics(const Stmt& s) {
    for (const VarDecl& d : s.decls) {
        const std::string lower = Lower(d.name);
        if (locals_.count(lower) != 0 || localConstants_.count(lower) != 0 ||
            statics_.count(lower) != 0) {
            Fail(d.pos, CompileError::DuplicateDeclaration, d.name);
        }
        for (const StaticVariable& variable : proc_.statics) {
            if (variable.name == lower) {
                statics_[lower] = variable.global;
            }
        }
    }
}

void ProcCompiler::CompileBounds(const std::vector<Bound>& bounds) {
    for (const Bound& b : bounds) {
        if (b.lower) {
            CompileExpr(*b.lower);
        } else {
            Emit(Op::PushConst, AddConstant(Variant::Integer(0)));
        }
        CompileExpr(*b.upper);
    }
}

void ProcCompiler::CompileErase(const Stmt& s) {
    for (const VarDecl& d : s.decls) {
        const Symbol array = Lookup(d.name, d.pos);
        if (!IsVariable(array)) {
            Fail(d.pos, CompileError::ExpectedArrayVariable, d.name);
        }
        // Declared with its bounds, the array keeps them; a dynamic one is freed.
        const bool fixed =
            (array.kind == SymbolKind::Local && fixedLocals_.count(array.index) != 0) ||
            (array.kind == SymbolKind::Global &&
             program_.globals[static_cast<std::size_t>(array.index)].fixedBounds);
        EmitLoad(array, d.pos);
        Emit(Op::PushConst, AddConstant(Variant::Boolean(fixed)));
        Emit(Op::CallBuiltin, static_cast<int>(BuiltinId::EraseArray), 2, ModuleOptions());
        EmitStore(array, d.pos);
    }
}

void ProcCompiler::CompileReDim(const Stmt& s) {
    for (const VarDecl& d : s.decls) {
        const Declared given = DeclaredOf(program_, module_, d.type, d.typeName, true, d.pos);
        Declared array;
        if (d.target) {
            // A member: the reference holds its record in place while the bounds are computed.
            Path path;
            if (!ResolvePath(*d.target, path) || path.type.IsRecord()) {
                Fail(d.pos, CompileError::ExpectedArrayVariable, d.name);
            }
            array = path.type;
            EmitPathStart(path);
            Emit(Op::RefPath, AddAccessPath(path), static_cast<int>(path.indices.size()));
        } else {
            Symbol target = Lookup(d.name, d.pos);
            if (target.kind == SymbolKind::None && given.IsRecordArray() && !optionExplicit_) {
                // An array of records declared by its ReDim holds records from the start.
                target = DeclareImplicit(d.name, given, d.pos,
                                         UnallocatedArray(Tag::Record, given.record));
            } else if (target.kind == SymbolKind::None) {
                target = LookupOrDeclare(d.name, d.pos);
            }
            if (!IsVariable(target) || target.IsRecord()) {
                Fail(d.pos, CompileError::ExpectedArrayVariable, d.name);
            }
            array = target;
            EmitRef(target, d.pos);
        }
        if (given.IsRecordArray() || array.IsRecordArray()) {
            CheckSameType(array, given.IsRecordArray() ? given : array, d.pos);
        }
        const Tag element = d.type != Tag::Empty ? d.type : array.element;
        CompileBounds(d.bounds);
        Emit(Op::ReDim, static_cast<int>(d.bounds.size()), static_cast<int>(element),
             s.preserve ? 1 : 0);
    }
}

void ProcCompiler::CompileConst(const Stmt& s) {
    for (const VarDecl& d : s.decls) {
        Variant value;
        CompileMessage error;
        if (!EvaluateConstant(*d.value, *this, value, error)) {
            error.pos = d.pos;
            throw error;
        }
        if (CoerceTo(value, d.type) != RunError::None) {
            Fail(d.pos, CompileError::ConstantDoesNotFit, d.name);
        }
        const std::string lower = Lower(d.name);
        if (locals_.count(lower) != 0 || !localConstants_.emplace(lower, value).second) {
            Fail(d.pos, CompileError::DuplicateDeclaration, d.name);
        }
    }
}

void ProcCompiler::CompileIf(const Stmt& s) {
    singleLine_ += s.singleLine ? 1 : 0;
    std::vector<int> toEnd;
    for (std::size_t i = 0; i < s.conditions.size(); ++i) {
        if (i > 0) {
            EmitLine(s.conditions[i]->pos.line);
        }
        const int skip = EmitConditionalJump(*s.conditions[i], false);
        CompileBlock(s.blocks[i]);
        if (i + 1 < s.conditions.size() || s.hasElse) {
            toEnd.push_back(Emit(Op::Jump));
        }
        PatchA(skip, Here());
    }
    if (s.hasElse) {
        CompileBlock(s.elseBlock);
    }
    for (int pc : toEnd) {
        PatchA(pc, Here());
    }
    singleLine_ -= s.singleLine ? 1 : 0;
}

void ProcCompiler::CompileSelect(const Stmt& s) {
    int valueSlot = SelectedLocal(s);
    const bool inPlace = valueSlot >= 0;
    if (!inPlace) {
        valueSlot = HiddenSlots(1);
        CompileExpr(*s.value);
        Emit(Op::StoreLocal, valueSlot, static_cast<int>(Tag::Empty));
    }
    // A whole number goes straight to the clause that holds it, whose tests then run as usual;
    // a local tested in place keeps an instruction on the Select line for the debugger.
    CaseTable table;
    std::vector<int> clauseOf;
    const bool jumps = CaseTableFor(s, table.lower, clauseOf) &&
                       valueSlot <= std::numeric_limits<std::int16_t>::max();
    const int selectJump = jumps     ? Emit(Op::SelectJump, 0, 0, 0, valueSlot)
                           : inPlace ? Emit(Op::Jump, Here() + 1)
                                     : -1;
    std::vector<int> clauseStarts;
    std::vector<int> toEnd;
    for (const CaseClause& clause : s.cases) {
        EmitLine(clause.pos.line);
        clauseStarts.push_back(Here());
        std::vector<int> toBody;
        std::vector<int> toNext;
        // Each item but the last goes to the body when it holds; the last goes to the next
        // clause when it does not.
        for (std::size_t k = 0; k < clause.items.size(); ++k) {
            const CaseItem& item = clause.items[k];
            const bool last = k + 1 == clause.items.size();
            if (item.test != CaseTest::Range) {
                const BinaryOp op = item.test == CaseTest::Is ? item.compare : BinaryOp::Eq;
                (last ? toNext : toBody).push_back(EmitCaseTest(valueSlot, op, *item.value, !last));
                continue;
            }
            const int below = EmitCaseTest(valueSlot, BinaryOp::Ge, *item.value, false);
            (last ? toNext : toBody)
                .push_back(EmitCaseTest(valueSlot, BinaryOp::Le, *item.upper, !last));
            if (last) {
                toNext.push_back(below);
            } else {
                PatchA(below, Here());
            }
        }
        for (int pc : toBody) {
            PatchA(pc, Here());
        }
        CompileBlock(clause.body);
        toEnd.push_back(Emit(Op::Jump));
        for (int pc : toNext) {
            PatchA(pc, Here());
        }
    }
    for (int pc : toEnd) {
        PatchA(pc, Here());
    }
    if (jumps) {
        const bool hasElse = !s.cases.empty() && s.cases.back().items.empty();
        const int unmatched = hasElse ? clauseStarts.back() : Here();
        for (const int clause : clauseOf) {
            table.targets.push_back(clause >= 0 ? clauseStarts[static_cast<std::size_t>(clause)]
                                                : unmatched);
        }
        PatchA(selectJump, unmatched);
        PatchC(selectJump, static_cast<int>(proc_.caseTables.size()));
        proc_.caseTables.push_back(std::move(table));
    }
}

int ProcCompiler::EmitCaseTest(int valueSlot, BinaryOp op, const Expr& value, bool when) {
    const int start = Emit(Op::LoadLocal, valueSlot);
    Variant constant;
    CompileMessage ignored;
    if (EvaluateConstant(value, *this, constant, ignored)) {
        return EmitCompareConstJump(start, CompareOperand(op) + (when ? kJumpWhenTrue : 0),
                                    constant);
    }
    CompileExpr(value);
    return Emit(Op::CompareJump, 0, CompareOperand(op), when ? 1 : 0);
}

ProcCompiler::Symbol ProcCompiler::LoopVariable(const Stmt& s, CompileError notVariable) {
    const Symbol variable = LookupOrDeclare(s.name, s.pos);
    if (!IsVariable(variable)) {
        Fail(s.pos, notVariable, s.name);
    }
    if (variable.record != nullptr) {
        Fail(s.pos, CompileError::RecordNotAValue, variable.record->name);
    }
    return variable;
}

void ProcCompiler::CloseLoop(int header) {
    for (int pc : loops_.back().exits) {
        PatchA(pc, Here());
    }
    loops_.pop_back();
    if (header >= 0) {
        proc_.statements[static_cast<std::size_t>(header)].resumeNext = Here();
    }
}

int ProcCompiler::LoopHeader() const {
    return singleLine_ > 0 ? -1 : static_cast<int>(proc_.statements.size()) - 1;
}

void ProcCompiler::CompileFor(const Stmt& s) {
    const int header = LoopHeader();
    const Symbol counter = LoopVariable(s, CompileError::ExpectedForVariable);
    const int limits = HiddenSlots(2);
    CompileExpr(*s.value);
    EmitStore(counter, s.pos);
    CompileExpr(*s.limit);
    Emit(Op::StoreLocal, limits, static_cast<int>(Tag::Empty));
    if (s.step) {
        CompileExpr(*s.step);
    } else {
        Emit(Op::PushConst, AddConstant(Variant::Integer(1)));
    }
    Emit(Op::StoreLocal, limits + 1, static_cast<int>(Tag::Empty));
    loops_.push_back({true, {}});
    if (counter.kind == SymbolKind::Local) {
        const int enter = Emit(Op::ForEnter, counter.index, limits);
        const int top = Here();
        MarkLoopTurn();
        CompileBlock(s.body);
        EmitLine(s.endPos.line);
        MarkLoopTurn();
        Emit(Op::ForStep, counter.index, limits, top);
        PatchC(enter, Here());
    } else {
        const int top = Here();
        MarkLoopTurn();
        EmitLoad(counter, s.pos);
        const int check = Emit(Op::ForCheck, limits);
        CompileBlock(s.body);
        EmitLine(s.endPos.line);
        EmitLoad(counter, s.pos);
        Emit(Op::LoadLocal, limits + 1);
        Emit(Op::Add, counter.type == Tag::Empty ? 1 : 0);
        EmitStore(counter, s.pos);
        Emit(Op::Jump, top);
        PatchB(check, Here());
    }
    CloseLoop(header);
}

void ProcCompiler::CompileForEach(const Stmt& s) {
    const int header = LoopHeader();
    const Symbol element = LoopVariable(s, CompileError::ExpectedForEachVariable);
    const int state = HiddenSlots(2);
    CompileExpr(*s.value);
    const int enter = Emit(Op::ForEachEnter, state);
    loops_.push_back({true, {}});
    const int top = Here();
    MarkLoopTurn();
    const int next = Emit(Op::ForEachNext, state);
    EmitStore(element, s.pos);
    CompileBlock(s.body);
    EmitLine(s.endPos.line);
    Emit(Op::Jump, top);
    PatchB(enter, Here());
    PatchB(next, Here());
    CloseLoop(header);
}

void ProcCompiler::CompileDo(const Stmt& s) {
    // The back edge goes to the loop's first instruction, which checks the statement budget, so
    // every turn passes a point where the machine can end its slice or stop.
    const int top = Here();
    MarkLoopTurn();
    loops_.push_back({false, {}});
    if (s.condition && !s.testAtEnd) {
        const int exit = EmitConditionalJump(*s.condition, s.until);
        CompileBlock(s.body);
        EmitLine(s.endPos.line);
        Emit(Op::Jump, top);
        PatchA(exit, Here());
    } else {
        CompileBlock(s.body);
        EmitLine(s.endPos.line);
        if (s.condition) {
            PatchA(EmitConditionalJump(*s.condition, !s.until), top);
        } else {
            Emit(Op::Jump, top);
        }
    }
    CloseLoop(-1);
}

void ProcCompiler::CompileExit(const Stmt& s) {
    switch (s.exitKind) {
    case ExitKind::Sub:
    case ExitKind::Function:
        if ((s.exitKind == ExitKind::Function) != proc_.isFunction) {
            Fail(s.pos, CompileError::Expected, proc_.isFunction ? "Exit Function" : "Exit Sub");
        }
        exitJumps_.push_back(Emit(Op::Jump));
        return;
    case ExitKind::For:
    case ExitKind::Do: {
        const bool wantFor = s.exitKind == ExitKind::For;
        for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
            if (it->isFor == wantFor) {
                it->exits.push_back(Emit(Op::Jump));
                return;
            }
        }
        Fail(s.pos, wantFor ? CompileError::ExitForOutsideFor : CompileError::ExitDoOutsideDo);
    }
    }
}

void ProcCompiler::CompilePrint(const Stmt& s) {
    const int debug = s.debugPrint ? 1 : 0;
    char last = 0;
    for (std::size_t i = 0; i < s.printItems.size(); ++i) {
        if (const PrintMove move = s.printMoves[i]; move != PrintMove::None) {
            // The move, then an empty item with the separator that follows it.
            if (move == PrintMove::NextZone) {
                Emit(Op::PushConst, AddConstant(Variant::String({})));
                Emit(Op::Print, debug, 2);
            } else {
                CompileExpr(*s.printItems[i]);
                Emit(Op::PrintSpace, debug, move == PrintMove::Tab ? 0 : 1);
            }
            Emit(Op::PushConst, AddConstant(Variant::String({})));
        } else if (s.printItems[i]) {
            CompileExpr(*s.printItems[i]);
        } else {
            Emit(Op::PushConst, AddConstant(Variant::String({})));
        }
        last = s.printSeparators[i];
        Emit(Op::Print, debug, last == ';' ? 1 : last == ',' ? 2 : 0);
    }
    if (last == 0) {
        Emit(Op::PrintLine, debug);
    }
}

void ProcCompiler::CompileWith(const Stmt& s) {
    Path object;
    if (!ResolvePath(*s.value, object)) {
        // A value (a function's result): the block works on a copy of it, as in Visual Basic.
        const Declared type = CompileTyped(*s.value);
        if (!type.IsRecord()) {
            Fail(s.value->pos, CompileError::TypeMismatch, "a user-defined type",
                 ElementTypeName(type.type));
        }
        const int slot = HiddenSlots(1, type);
        Emit(Op::StoreLocal, slot, static_cast<int>(Tag::Record));
        object = {LocalSymbol(slot), {}, {}, type};
    } else if (!object.type.IsRecord()) {
        Fail(s.value->pos, CompileError::TypeMismatch, "a user-defined type",
             object.type.record != nullptr ? object.type.record->name + "()"
                                           : ElementTypeName(object.type.type));
    }
    // Its indices are computed once, here, into slots of their own.
    for (PathIndex& index : object.indices) {
        if (index.expr != nullptr) {
            index.slot = HiddenSlots(1);
            CompileExpr(*index.expr);
            Emit(Op::StoreLocal, index.slot, static_cast<int>(Tag::Empty));
            index.expr = nullptr;
        }
    }
    withObjects_.push_back(std::move(object));
    CompileBlock(s.body);
    withObjects_.pop_back();
}

void ProcCompiler::CompileErrorMode(const Stmt& s) {
    const bool onError = s.kind == StmtKind::OnError;
    const int pc = onError ? Emit(Op::OnError, static_cast<int>(s.errorMode))
                           : Emit(Op::Resume, static_cast<int>(s.resumeMode));
    if (onError ? s.errorMode == OnErrorMode::GoToLabel : s.resumeMode == ResumeMode::Label) {
        labelJumps_.push_back({pc, s.name, s.pos, true});
    }
}

} // namespace vek::basic
