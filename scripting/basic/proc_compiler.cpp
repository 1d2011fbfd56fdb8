// Statements of a procedure body.
#include "scripting/basic/proc_compiler.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/text_util.h"

#include <algorithm>

namespace vek::basic {

ProcCompiler::ProcCompiler(const Program& program,
                           const std::vector<HostFunctionInfo>& host_functions, int module,
                           bool option_explicit, Procedure& proc)
    : program_(program), host_functions_(host_functions), module_(module),
      option_explicit_(option_explicit), proc_(proc) {
    for (int i = 0; i < proc_.slots.Count(); ++i) {
        if (!proc_.slots.names[static_cast<std::size_t>(i)].empty()) {
            locals_[proc_.slots.names[static_cast<std::size_t>(i)]] = {i, Tag::Empty};
        }
    }
    for (std::size_t i = 0; i < proc_.params.size(); ++i) {
        if (proc_.params[i].is_array) {
            locals_[proc_.params[i].name].element = proc_.params[i].type;
        }
    }
    in_function_ = proc_.is_function && !proc_.is_watch;
}

void ProcCompiler::Fail(Position pos, CompileError error, std::string arg, std::string second_arg) {
    throw CompileMessage(error, pos, std::move(arg), std::move(second_arg));
}

int ProcCompiler::Emit(Op op, int a, int b, int c) {
    proc_.code.push_back({op, statement_pending_, a, b, c});
    statement_pending_ = false;
    depth_ += StackEffect(proc_.code.back());
    proc_.max_stack = std::max(proc_.max_stack, depth_);
    return Here() - 1;
}

int ProcCompiler::AddConstant(const Variant& value) {
    proc_.constants.push_back(value);
    return static_cast<int>(proc_.constants.size()) - 1;
}

void ProcCompiler::EmitLine(int line) {
    if (single_line_ > 0) {
        return;
    }
    proc_.statements.push_back({Here(), line});
    statement_pending_ = true;
}

int ProcCompiler::DeclareLocal(const std::string& name, Tag type, Tag element, Position pos,
                               Variant init) {
    const std::string lower = Lower(name);
    if (locals_.count(lower) != 0 || local_constants_.count(lower) != 0) {
        Fail(pos, CompileError::DuplicateDeclaration, name);
    }
    const int slot = proc_.slots.Add(lower, type, false, std::move(init));
    locals_[lower] = {slot, element};
    return slot;
}

int ProcCompiler::HiddenSlots(int count) {
    const int first = proc_.slots.Count();
    for (int i = 0; i < count; ++i) {
        proc_.slots.Add({}, Tag::Empty, false, Variant());
    }
    return first;
}

void ProcCompiler::CompileBody(const ProcDecl& decl, const std::string& module_name,
                               ErrorReporter& errors) {
    for (std::size_t i = 0; i < proc_.params.size(); ++i) {
        const ParamInfo& p = proc_.params[i];
        if (p.type != Tag::Empty && !p.is_array) {
            Emit(Op::CoerceParam, static_cast<int>(i), static_cast<int>(p.type));
        }
    }
    for (const StmtPtr& s : decl.body) {
        try {
            CompileStatement(*s);
        } catch (const CompileMessage& failure) {
            errors.Report(module_name, failure);
            depth_ = 0;
            single_line_ = 0;
            loops_.clear();
        }
    }
    const int epilogue = Here();
    EmitLine(decl.end_line);
    Emit(Op::Return);
    for (int pc : exit_jumps_) {
        PatchA(pc, epilogue);
    }
    try {
        ResolveLabels();
    } catch (const CompileMessage& failure) {
        errors.Report(module_name, failure);
    }
}

void ProcCompiler::ResolveLabels() {
    for (const JumpPatch& patch : label_jumps_) {
        const auto it = labels_.find(Lower(patch.label));
        if (it == labels_.end()) {
            Fail(patch.pos, CompileError::LabelNotDefined, patch.label);
        }
        if (patch.operand_b) {
            PatchB(patch.pc, it->second);
        } else {
            PatchA(patch.pc, it->second);
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
        {StmtKind::If, &ProcCompiler::CompileIf, {}, true},
        {StmtKind::Select, &ProcCompiler::CompileSelect, {}, true},
        {StmtKind::For, &ProcCompiler::CompileFor, {}, true},
        {StmtKind::ForEach, &ProcCompiler::CompileForEach, {}, true},
        {StmtKind::Do, &ProcCompiler::CompileDo, {}, true},
        {StmtKind::Exit, &ProcCompiler::CompileExit, {}, true},
        {StmtKind::GoTo, &ProcCompiler::CompileGoTo, {}, true},
        {StmtKind::OnError, &ProcCompiler::CompileErrorMode, {}, true},
        {StmtKind::Resume, &ProcCompiler::CompileErrorMode, {}, true},
        {StmtKind::Print, &ProcCompiler::CompilePrint, {}, true},
        {StmtKind::End, nullptr, Op::EndProgram, true},
        {StmtKind::Stop, nullptr, Op::Stop, true},
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

void ProcCompiler::CompileLabel(const Stmt& s) {
    if (!labels_.emplace(Lower(s.name), Here()).second) {
        Fail(s.pos, CompileError::DuplicateLabel, s.name);
    }
}

void ProcCompiler::CompileGoTo(const Stmt& s) {
    label_jumps_.push_back({Emit(Op::Jump), s.name, s.pos, false});
}

void ProcCompiler::CompileDim(const Stmt& s) {
    for (const VarDecl& d : s.decls) {
        if (!d.is_array) {
            DeclareLocal(d.name, d.type, Tag::Empty, d.pos, DefaultValue(d.type));
            continue;
        }
        const int slot = DeclareLocal(d.name, Tag::Empty, d.type, d.pos, UnallocatedArray(d.type));
        if (!d.bounds.empty()) {
            EmitLine(d.pos.line);
            CompileBounds(d.bounds);
            Emit(Op::NewArray, static_cast<int>(d.bounds.size()), static_cast<int>(d.type));
            Emit(Op::StoreLocal, slot, static_cast<int>(Tag::Empty));
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

void ProcCompiler::CompileReDim(const Stmt& s) {
    for (const VarDecl& d : s.decls) {
        Symbol target = LookupOrDeclare(d.name, d.pos);
        if (!IsVariable(target)) {
            Fail(d.pos, CompileError::ExpectedArrayVariable, d.name);
        }
        const Tag element = d.type != Tag::Empty ? d.type : target.element;
        EmitRef(target, d.pos);
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
        if (locals_.count(lower) != 0 || !local_constants_.emplace(lower, value).second) {
            Fail(d.pos, CompileError::DuplicateDeclaration, d.name);
        }
    }
}

void ProcCompiler::CompileIf(const Stmt& s) {
    single_line_ += s.single_line ? 1 : 0;
    std::vector<int> to_end;
    for (std::size_t i = 0; i < s.conditions.size(); ++i) {
        if (i > 0) {
            EmitLine(s.conditions[i]->pos.line);
        }
        const int skip = EmitConditionalJump(*s.conditions[i], false);
        CompileBlock(s.blocks[i]);
        if (i + 1 < s.conditions.size() || s.has_else) {
            to_end.push_back(Emit(Op::Jump));
        }
        PatchA(skip, Here());
    }
    if (s.has_else) {
        CompileBlock(s.else_block);
    }
    for (int pc : to_end) {
        PatchA(pc, Here());
    }
    single_line_ -= s.single_line ? 1 : 0;
}

void ProcCompiler::CompileSelect(const Stmt& s) {
    const int value_slot = HiddenSlots(1);
    CompileExpr(*s.value);
    Emit(Op::StoreLocal, value_slot, static_cast<int>(Tag::Empty));
    std::vector<int> to_end;
    for (const CaseClause& clause : s.cases) {
        EmitLine(clause.pos.line);
        std::vector<int> to_body;
        std::vector<int> to_next;
        for (const CaseItem& item : clause.items) {
            Emit(Op::LoadLocal, value_slot);
            CompileExpr(*item.value);
            switch (item.test) {
            case CaseTest::Equal:
                Emit(Op::Eq);
                to_body.push_back(Emit(Op::JumpIfTrue));
                break;
            case CaseTest::Is:
                Emit(static_cast<Op>(static_cast<int>(Op::Eq) + static_cast<int>(item.compare) -
                                     static_cast<int>(BinaryOp::Eq)));
                to_body.push_back(Emit(Op::JumpIfTrue));
                break;
            case CaseTest::Range: {
                Emit(Op::Ge);
                const int skip = Emit(Op::JumpIfFalse);
                Emit(Op::LoadLocal, value_slot);
                CompileExpr(*item.upper);
                Emit(Op::Le);
                to_body.push_back(Emit(Op::JumpIfTrue));
                PatchA(skip, Here());
                break;
            }
            }
        }
        if (!clause.items.empty()) {
            to_next.push_back(Emit(Op::Jump));
        }
        for (int pc : to_body) {
            PatchA(pc, Here());
        }
        CompileBlock(clause.body);
        to_end.push_back(Emit(Op::Jump));
        for (int pc : to_next) {
            PatchA(pc, Here());
        }
    }
    for (int pc : to_end) {
        PatchA(pc, Here());
    }
}

ProcCompiler::Symbol ProcCompiler::LoopVariable(const Stmt& s, CompileError not_variable) {
    const Symbol variable = LookupOrDeclare(s.name, s.pos);
    if (!IsVariable(variable)) {
        Fail(s.pos, not_variable, s.name);
    }
    return variable;
}

void ProcCompiler::CloseLoop() {
    for (int pc : loops_.back().exits) {
        PatchA(pc, Here());
    }
    loops_.pop_back();
}

void ProcCompiler::CompileFor(const Stmt& s) {
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
        EmitLine(s.end_pos.line);
        MarkLoopTurn();
        Emit(Op::ForStep, counter.index, limits, top);
        PatchC(enter, Here());
    } else {
        const int top = Here();
        MarkLoopTurn();
        EmitLoad(counter, s.pos);
        const int check = Emit(Op::ForCheck, limits);
        CompileBlock(s.body);
        EmitLine(s.end_pos.line);
        EmitLoad(counter, s.pos);
        Emit(Op::LoadLocal, limits + 1);
        Emit(Op::Add);
        EmitStore(counter, s.pos);
        Emit(Op::Jump, top);
        PatchB(check, Here());
    }
    CloseLoop();
}

void ProcCompiler::CompileForEach(const Stmt& s) {
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
    EmitLine(s.end_pos.line);
    Emit(Op::Jump, top);
    PatchB(enter, Here());
    PatchB(next, Here());
    CloseLoop();
}

void ProcCompiler::CompileDo(const Stmt& s) {
    // The back edge goes to the loop's first instruction, which checks the statement budget, so
    // every turn passes a point where the machine can end its slice or stop.
    const int top = Here();
    MarkLoopTurn();
    loops_.push_back({false, {}});
    if (s.condition && !s.test_at_end) {
        const int exit = EmitConditionalJump(*s.condition, s.until);
        CompileBlock(s.body);
        EmitLine(s.end_pos.line);
        Emit(Op::Jump, top);
        PatchA(exit, Here());
    } else {
        CompileBlock(s.body);
        EmitLine(s.end_pos.line);
        if (s.condition) {
            PatchA(EmitConditionalJump(*s.condition, !s.until), top);
        } else {
            Emit(Op::Jump, top);
        }
    }
    CloseLoop();
}

void ProcCompiler::CompileExit(const Stmt& s) {
    switch (s.exit_kind) {
    case ExitKind::Sub:
    case ExitKind::Function:
        if ((s.exit_kind == ExitKind::Function) != proc_.is_function) {
            Fail(s.pos, CompileError::Expected, proc_.is_function ? "Exit Function" : "Exit Sub");
        }
        exit_jumps_.push_back(Emit(Op::Jump));
        return;
    case ExitKind::For:
    case ExitKind::Do: {
        const bool want_for = s.exit_kind == ExitKind::For;
        for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
            if (it->is_for == want_for) {
                it->exits.push_back(Emit(Op::Jump));
                return;
            }
        }
        Fail(s.pos, want_for ? CompileError::ExitForOutsideFor : CompileError::ExitDoOutsideDo);
    }
    }
}

void ProcCompiler::CompilePrint(const Stmt& s) {
    const int debug = s.debug_print ? 1 : 0;
    char last = 0;
    for (std::size_t i = 0; i < s.print_items.size(); ++i) {
        if (s.print_items[i]) {
            CompileExpr(*s.print_items[i]);
        } else {
            Emit(Op::PushConst, AddConstant(Variant::String({})));
        }
        last = s.print_separators[i];
        Emit(Op::Print, debug, last == ';' ? 1 : last == ',' ? 2 : 0);
    }
    if (last == 0) {
        Emit(Op::PrintLine, debug);
    }
}

void ProcCompiler::CompileErrorMode(const Stmt& s) {
    const bool on_error = s.kind == StmtKind::OnError;
    const int pc = on_error ? Emit(Op::OnError, static_cast<int>(s.error_mode))
                            : Emit(Op::Resume, static_cast<int>(s.resume_mode));
    if (on_error ? s.error_mode == OnErrorMode::GoToLabel : s.resume_mode == ResumeMode::Label) {
        label_jumps_.push_back({pc, s.name, s.pos, true});
    }
}

} // namespace vek::basic
