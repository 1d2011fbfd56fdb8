// Expressions, names and calls of a procedure body.
#include "scripting/basic/builtins.h"
#include "scripting/basic/proc_compiler.h"
#include "scripting/basic/text_util.h"

#include <algorithm>

namespace vek::basic {

namespace {

static_assert(static_cast<int>(Op::Like) - static_cast<int>(Op::Add) ==
              static_cast<int>(BinaryOp::Like) - static_cast<int>(BinaryOp::Add));

Op BinaryOpcode(BinaryOp op) {
    return static_cast<Op>(static_cast<int>(Op::Add) + static_cast<int>(op));
}

// The instruction taking its right operand as a constant; Pop when there is none.
Op ConstantOpcode(BinaryOp op) {
    switch (op) {
    case BinaryOp::Add:
        return Op::AddConst;
    case BinaryOp::Sub:
        return Op::SubConst;
    case BinaryOp::Mul:
        return Op::MulConst;
    case BinaryOp::IntDiv:
        return Op::IntDivConst;
    case BinaryOp::Mod:
        return Op::ModConst;
    default:
        return Op::Pop;
    }
}

// The instruction that takes its left operand from a slot as well.
Op LocalConstantOpcode(Op constantOp) {
    static_assert(static_cast<int>(Op::ModLocalConst) - static_cast<int>(Op::AddLocalConst) ==
                  static_cast<int>(Op::ModConst) - static_cast<int>(Op::AddConst));
    return static_cast<Op>(static_cast<int>(Op::AddLocalConst) + static_cast<int>(constantOp) -
                           static_cast<int>(Op::AddConst));
}

// Err as the object of a member: Err.Number, Err.Raise.
bool IsErrObject(const ExprPtr& e) {
    return e && e->kind == ExprKind::Name && EqualsNoCase(e->name, "Err");
}

} // namespace

StringCompare ProcCompiler::Compare() const {
    return program_.modules[static_cast<std::size_t>(module_)].textCompare ? StringCompare::Text
                                                                           : StringCompare::Binary;
}

int ProcCompiler::CompareOperand(BinaryOp op) const {
    return OrderMask(op) + (TextFlag() != 0 ? kStringsAsText : 0);
}

int ProcCompiler::ModuleOptions() const {
    const ModuleInfo& module = program_.modules[static_cast<std::size_t>(module_)];
    return (module.textCompare ? BuiltinContext::kTextCompare : 0) |
           (module.arrayBase == 1 ? BuiltinContext::kBaseOne : 0);
}

bool ProcCompiler::Resolve(const std::string& lowerName, Variant& out, CompileMessage&) {
    if (const auto it = localConstants_.find(lowerName); it != localConstants_.end()) {
        out = it->second;
        return true;
    }
    if (locals_.count(lowerName) != 0) {
        return false;
    }
    NameEntry entry;
    bool ambiguous = false;
    if (program_.symbols.Lookup(module_, lowerName, entry, ambiguous) &&
        entry.kind == EntryKind::Constant) {
        out = program_.symbols.constants[static_cast<std::size_t>(entry.index)].value;
        return true;
    }
    return false;
}

ProcCompiler::Symbol ProcCompiler::GlobalSymbol(int index) const {
    const GlobalInfo& g = program_.globals[static_cast<std::size_t>(index)];
    Symbol symbol;
    static_cast<Declared&>(symbol) = g.type;
    symbol.kind = SymbolKind::Global;
    symbol.index = index;
    return symbol;
}

ProcCompiler::Symbol ProcCompiler::LocalSymbol(int slot) const {
    Symbol symbol;
    static_cast<Declared&>(symbol) = proc_.slots.declared[static_cast<std::size_t>(slot)];
    symbol.kind = proc_.slots.isRef[static_cast<std::size_t>(slot)] ? SymbolKind::RefParam
                                                                    : SymbolKind::Local;
    symbol.index = slot;
    return symbol;
}

ProcCompiler::Symbol ProcCompiler::Lookup(const std::string& name, Position pos) {
    const std::string lower = Lower(name);
    Symbol symbol;
    if (const auto it = locals_.find(lower); it != locals_.end()) {
        return LocalSymbol(it->second);
    }
    if (const auto it = localConstants_.find(lower); it != localConstants_.end()) {
        symbol.kind = SymbolKind::Constant;
        symbol.value = it->second;
        return symbol;
    }
    if (const auto it = statics_.find(lower); it != statics_.end()) {
        return GlobalSymbol(it->second);
    }
    NameEntry entry;
    bool ambiguous = false;
    if (program_.symbols.Lookup(module_, lower, entry, ambiguous)) {
        if (ambiguous) {
            Fail(pos, CompileError::AmbiguousName, name);
        }
        symbol.index = entry.index;
        switch (entry.kind) {
        case EntryKind::Global:
            return GlobalSymbol(entry.index);
        case EntryKind::Constant:
            symbol.kind = SymbolKind::Constant;
            symbol.value = program_.symbols.constants[static_cast<std::size_t>(entry.index)].value;
            break;
        case EntryKind::Procedure:
            symbol.kind = SymbolKind::Procedure;
            break;
        }
        return symbol;
    }
    for (std::size_t i = 0; i < hostFunctions_.size(); ++i) {
        if (EqualsNoCase(hostFunctions_[i].name, name)) {
            symbol.kind = SymbolKind::Host;
            symbol.index = static_cast<int>(i);
            return symbol;
        }
    }
    int id = 0;
    if (FindBuiltin(name, id) != nullptr) {
        symbol.kind = SymbolKind::Builtin;
        symbol.index = id;
        return symbol;
    }
    if (FindBuiltinConstant(name, symbol.value)) {
        symbol.kind = SymbolKind::Constant;
    }
    return symbol;
}

ProcCompiler::Symbol ProcCompiler::LookupOrDeclare(const std::string& name, Position pos) {
    Symbol symbol = Lookup(name, pos);
    if (symbol.kind != SymbolKind::None) {
        return symbol;
    }
    if (optionExplicit_ || proc_.isWatch) {
        Fail(pos, CompileError::VariableNotDefined, name);
    }
    return DeclareImplicit(name, {}, pos, Variant());
}

ProcCompiler::Symbol ProcCompiler::DeclareImplicit(const std::string& name, const Declared& type,
                                                   Position pos, Variant init) {
    if (!allStatic_) {
        return LocalSymbol(DeclareLocal(name, type, pos, std::move(init)));
    }
    const int global = declareStatic_(name, type, std::move(init));
    statics_[Lower(name)] = global;
    return GlobalSymbol(global);
}

bool ProcCompiler::IsVariable(const Symbol& symbol) const {
    return symbol.kind == SymbolKind::Local || symbol.kind == SymbolKind::RefParam ||
           symbol.kind == SymbolKind::Global;
}

const ProcCompiler::VariableAccess& ProcCompiler::AccessOf(const Symbol& variable, Position pos) {
    static constexpr VariableAccess kLocal{Op::LoadLocal, Op::StoreLocal, Op::RefLocal};
    // A ByRef parameter's slot holds a reference, through which loads and stores go; passing it
    // on passes that reference.
    static constexpr VariableAccess kRefParam{Op::LoadRef, Op::StoreRef, Op::RefLocal};
    static constexpr VariableAccess kGlobal{Op::LoadGlobal, Op::StoreGlobal, Op::RefGlobal};
    switch (variable.kind) {
    case SymbolKind::Local:
        return kLocal;
    case SymbolKind::RefParam:
        return kRefParam;
    case SymbolKind::Global:
        return kGlobal;
    case SymbolKind::Constant:
        Fail(pos, CompileError::AssignToConstant);
    default:
        Fail(pos, CompileError::ExpectedVariable);
    }
}

void ProcCompiler::EmitLoad(const Symbol& symbol, Position pos) {
    if (symbol.kind == SymbolKind::Constant) {
        Emit(Op::PushConst, AddConstant(symbol.value));
    } else {
        Emit(AccessOf(symbol, pos).load, symbol.index);
    }
}

void ProcCompiler::EmitStore(const Symbol& symbol, Position pos) {
    Emit(AccessOf(symbol, pos).store, symbol.index, static_cast<int>(symbol.type));
}

void ProcCompiler::EmitRef(const Symbol& symbol, Position pos) {
    if (symbol.kind == SymbolKind::Constant) {
        Fail(pos, CompileError::ExpectedVariable);
    }
    Emit(AccessOf(symbol, pos).ref, symbol.index);
}

int ProcCompiler::ErrField(const std::string& member, Position pos) const {
    if (EqualsNoCase(member, "Number")) {
        return 0;
    }
    if (EqualsNoCase(member, "Description")) {
        return 1;
    }
    if (EqualsNoCase(member, "Source")) {
        return 2;
    }
    Fail(pos, CompileError::ExpectedErrMember);
}

Declared ProcCompiler::StaticKind(const Symbol& symbol) {
    switch (symbol.kind) {
    case SymbolKind::Local:
    case SymbolKind::RefParam:
    case SymbolKind::Global:
        return symbol;
    case SymbolKind::Constant:
        return {symbol.value.GetTag()};
    default:
        return {};
    }
}

bool ProcCompiler::TryFold(const Expr& e, Tag& kind) {
    Variant value;
    CompileMessage error;
    if (!EvaluateConstant(e, *this, value, error)) {
        return false;
    }
    kind = value.GetTag();
    Emit(Op::PushConst, AddConstant(value));
    return true;
}

Tag ProcCompiler::CompileExpr(const Expr& e) {
    const Declared type = CompileTyped(e);
    if (type.record != nullptr) {
        Fail(e.pos, CompileError::RecordNotAValue, type.record->name);
    }
    return type.type;
}

Declared ProcCompiler::CompileTyped(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal:
        Emit(Op::PushConst, AddConstant(e.value));
        return {e.value.GetTag()};
    case ExprKind::Name:
        return CompileName(e);
    case ExprKind::Member:
        return CompileMember(e);
    case ExprKind::Call:
        return CompileCallExpr(e);
    case ExprKind::Unary: {
        Tag kind = Tag::Empty;
        if (TryFold(e, kind)) {
            return {kind};
        }
        kind = CompileExpr(*e.args[0]);
        Emit(e.unaryOp == UnaryOp::Negate ? Op::Negate : Op::Not, kind == Tag::Empty ? 1 : 0);
        return {kind == Tag::Boolean && e.unaryOp == UnaryOp::Negate ? Tag::Integer : kind};
    }
    case ExprKind::Binary:
        return {CompileBinary(e)};
    case ExprKind::Missing:
        break;
    }
    Fail(e.pos, CompileError::ExpectedExpression);
}

Tag ProcCompiler::CompileBinary(const Expr& e) {
    Tag kind = Tag::Empty;
    if (TryFold(e, kind)) {
        return kind;
    }
    // n - 1, i Mod 7: the constant travels in the instruction.
    Variant constant;
    CompileMessage ignored;
    Tag left = Tag::Empty;
    Tag right = Tag::Empty;
    if (const Op withConstant = ConstantOpcode(e.binaryOp);
        withConstant != Op::Pop && EvaluateConstant(*e.args[1], *this, constant, ignored) &&
        constant.IsNumeric()) {
        const int start = Here();
        left = CompileExpr(*e.args[0]);
        right = constant.GetTag();
        const int widens = left == Tag::Empty ? 1 : 0;
        if (int slot = 0; TakeSlotLoads(start, 1, &slot)) {
            Emit(LocalConstantOpcode(withConstant), AddConstant(constant), widens, slot);
        } else {
            Emit(withConstant, AddConstant(constant), widens);
        }
    } else if (!CompileSlotOperation(e, left, right)) {
        left = CompileExpr(*e.args[0]);
        right = CompileExpr(*e.args[1]);
        const bool compares = IsComparison(e.binaryOp) || e.binaryOp == BinaryOp::Like;
        const bool variant = left == Tag::Empty || right == Tag::Empty;
        Emit(BinaryOpcode(e.binaryOp), compares ? TextFlag() : variant ? 1 : 0);
    }
    // What is typed stays typed (its exact kind matters no further than that); a Variant operand
    // makes a Variant.
    if (left == Tag::Empty || right == Tag::Empty) {
        return Tag::Empty;
    }
    if (IsComparison(e.binaryOp) || e.binaryOp == BinaryOp::Like) {
        return Tag::Boolean;
    }
    if (e.binaryOp == BinaryOp::Concat) {
        return Tag::String;
    }
    return std::max({left, right, Tag::Integer});
}

int ProcCompiler::EmitConditionalJump(const Expr& condition, bool when) {
    Variant folded;
    CompileMessage ignored;
    if (condition.kind == ExprKind::Binary && IsComparison(condition.binaryOp) &&
        !EvaluateConstant(condition, *this, folded, ignored)) {
        const int operand = CompareOperand(condition.binaryOp) + (when ? kJumpWhenTrue : 0);
        const int leftStart = Here();
        CompileExpr(*condition.args[0]);
        Variant constant;
        if (EvaluateConstant(*condition.args[1], *this, constant, ignored)) {
            return EmitCompareConstJump(leftStart, operand, constant);
        }
        CompileExpr(*condition.args[1]);
        if (int slots[2] = {}; TakeSlotLoads(leftStart, 2, slots)) {
            return Emit(Op::CompareLocalsJump, 0, operand, slots[0], slots[1]);
        }
        return Emit(Op::CompareJump, 0, CompareOperand(condition.binaryOp), when ? 1 : 0);
    }
    CompileExpr(condition);
    return Emit(when ? Op::JumpIfTrue : Op::JumpIfFalse);
}

int ProcCompiler::EmitCompareConstJump(int leftStart, int operand, const Variant& constant) {
    if (int slot = 0; TakeSlotLoads(leftStart, 1, &slot)) {
        return Emit(Op::CompareLocalConstJump, 0, operand, AddConstant(constant), slot);
    }
    return Emit(Op::CompareConstJump, 0, operand, AddConstant(constant));
}

Declared ProcCompiler::CompileName(const Expr& e) {
    if (EqualsNoCase(e.name, "Err") && Lookup(e.name, e.pos).kind == SymbolKind::None) {
        Emit(Op::ErrGet, 0);
        return {Tag::Long};
    }
    // Inside a function its bare name is the value assigned so far; only F(...) calls it.
    const Symbol symbol = IsOwnResult(e) ? ResultSymbol() : LookupOrDeclare(e.name, e.pos);
    switch (symbol.kind) {
    case SymbolKind::Procedure:
    case SymbolKind::Builtin:
    case SymbolKind::Host: {
        Expr call;
        call.kind = ExprKind::Call;
        call.pos = e.pos;
        call.object = std::make_unique<Expr>();
        call.object->kind = ExprKind::Name;
        call.object->name = e.name;
        call.object->pos = e.pos;
        return CompileCallExpr(call);
    }
    default:
        EmitLoad(symbol, e.pos);
        return StaticKind(symbol);
    }
}

Declared ProcCompiler::CompileMember(const Expr& e) {
    // Color.Red: the member of an Enum is its constant.
    if (e.object && e.object->kind == ExprKind::Name &&
        program_.symbols.enums.count(Lower(e.object->name)) != 0 &&
        Lookup(e.object->name, e.pos).kind == SymbolKind::None) {
        Expr member;
        member.kind = ExprKind::Name;
        member.pos = e.pos;
        member.name = e.name;
        return CompileName(member);
    }
    if (IsErrObject(e.object) && Lookup("Err", e.pos).kind == SymbolKind::None) {
        const int field = ErrField(e.name, e.pos);
        Emit(Op::ErrGet, field);
        return {field == 0 ? Tag::Long : Tag::String};
    }
    Declared object;
    if (!e.object) {
        const Path& with = WithObject(e.name, e.pos);
        EmitPathLoad(with);
        object = with.type;
    } else if (IsOwnResult(*e.object)) { // F.x inside Function F
        const Symbol result = ResultSymbol();
        EmitLoad(result, e.pos);
        object = result;
    } else {
        object = CompileTyped(*e.object);
    }
    int index = 0;
    const Declared member = MemberOf(object, e.name, e.pos, index);
    Emit(Op::LoadField, index, object.record->index);
    return member;
}

Declared ProcCompiler::CompileMemberElement(const Expr& call) {
    const Declared array = CompileMember(*call.object);
    if (array.IsRecord()) {
        Fail(call.pos, CompileError::ExpectedArrayVariable, call.object->name);
    }
    CompileValueArgs(call, 1, kMaxArrayDims, call.object->name);
    Emit(Op::IndexLoad, static_cast<int>(call.args.size()));
    return array.Element();
}

void ProcCompiler::CompileValueArgs(const Expr& call, int minArgs, int maxArgs,
                                    const std::string& name, bool firstAnyArray) {
    const int count = static_cast<int>(call.args.size());
    for (const std::string& argName : call.argNames) {
        if (!argName.empty()) {
            Fail(call.pos, CompileError::NamedArgumentsNotAccepted, name);
        }
    }
    if (count < minArgs || (maxArgs >= 0 && count > maxArgs)) {
        Fail(call.pos, CompileError::WrongArgumentCount, name);
    }
    for (const ExprPtr& arg : call.args) {
        if (arg->kind == ExprKind::Missing) {
            Emit(Op::PushConst, AddConstant(Variant()));
        } else if (firstAnyArray && arg == call.args.front()) {
            if (const Declared type = CompileTyped(*arg); type.IsRecord()) {
                Fail(arg->pos, CompileError::RecordNotAValue, type.record->name);
            }
        } else {
            CompileExpr(*arg);
        }
    }
}

Declared ProcCompiler::CompileCallExpr(const Expr& call) {
    const Expr& callee = *call.object;
    if (callee.kind == ExprKind::Member) {
        if (CompileErrMethod(call)) {
            Emit(Op::PushConst, AddConstant(Variant()));
            return {};
        }
        if (call.args.empty()) {
            return CompileMember(callee);
        }
        return CompileMemberElement(call);
    }
    if (callee.kind == ExprKind::Call) {
        return CompileIndexedResult(call);
    }
    if (callee.kind != ExprKind::Name) {
        Fail(call.pos, CompileError::ExpectedProcedureOrArray);
    }
    const Symbol symbol = Lookup(callee.name, callee.pos);
    switch (symbol.kind) {
    case SymbolKind::Local:
    case SymbolKind::RefParam:
    case SymbolKind::Global:
        return CompileElementLoad(symbol, call);
    case SymbolKind::Procedure:
        return CompileProcCall(symbol.index, call);
    case SymbolKind::Builtin: {
        const BuiltinInfo& info = BuiltinAt(symbol.index);
        // The functions that look at an array only as an array take arrays of records too.
        const auto id = static_cast<BuiltinId>(symbol.index);
        CompileValueArgs(call, info.minArgs, info.maxArgs, info.name,
                         id == BuiltinId::UBound || id == BuiltinId::LBound ||
                             id == BuiltinId::IsArray);
        Emit(Op::CallBuiltin, symbol.index, static_cast<int>(call.args.size()), ModuleOptions());
        return {info.result};
    }
    case SymbolKind::Host: {
        const HostFunctionInfo& info = hostFunctions_[static_cast<std::size_t>(symbol.index)];
        CompileValueArgs(call, info.minArgs, info.maxArgs, info.name);
        Emit(Op::CallHost, symbol.index, static_cast<int>(call.args.size()));
        return {info.result};
    }
    case SymbolKind::Constant:
        if (call.args.empty()) {
            EmitLoad(symbol, callee.pos);
            return StaticKind(symbol);
        }
        Fail(callee.pos, CompileError::ConstantTakesNoArguments, callee.name);
    case SymbolKind::None:
        break;
    }
    Fail(callee.pos, CompileError::NotDefined, callee.name);
}

Declared ProcCompiler::CompileIndexedResult(const Expr& call) {
    // The name the message of a wrong number of indices gives: the innermost callee's.
    const Expr* inner = call.object.get();
    while (inner->kind == ExprKind::Call) {
        inner = inner->object.get();
    }
    const Declared result = CompileCallExpr(*call.object);
    if (result.IsRecord()) {
        Fail(call.pos, CompileError::ExpectedArrayVariable, inner->name);
    }
    CompileValueArgs(call, 1, kMaxArrayDims, inner->name);
    Emit(Op::IndexLoad, static_cast<int>(call.args.size()));
    return result.IsRecordArray() ? result.Element() : Declared{};
}

Declared ProcCompiler::CompileElementLoad(const Symbol& array, const Expr& call) {
    const Expr& callee = *call.object;
    if (call.args.empty()) {
        EmitLoad(array, callee.pos);
        return StaticKind(array);
    }
    if (array.IsRecord()) {
        Fail(call.pos, CompileError::ExpectedArrayVariable, callee.name);
    }
    const Declared element = array.Element();
    // An array held by a local or parameter, the common case of loops: the element is read in
    // place, without a copy of the array on the stack; with indices in variables (a(i, j)),
    // without pushing those either.
    if (array.kind != SymbolKind::Global && call.args.size() <= kMaxArrayDims) {
        const int start = Here();
        const int count = static_cast<int>(call.args.size());
        CompileValueArgs(call, 1, kMaxArrayDims, callee.name);
        if (int slots[2] = {}; count <= 2 && TakeSlotLoads(start, count, slots)) {
            Emit(Op::LoadLocalElement, array.index, count, slots[0], slots[1]);
        } else if (Instruction& sum = proc_.code.back();
                   count == 1 && Here() == start + 1 && sum.op == Op::AddLocalConst) {
            sum = {Op::LoadLocalElementPlus,
                   sum.startsStatement,
                   static_cast<std::int16_t>(sum.b),
                   array.index,
                   sum.a,
                   sum.c};
        } else {
            Emit(Op::LoadElement, array.index, count);
        }
        return element;
    }
    EmitLoad(array, callee.pos);
    CompileValueArgs(call, 1, kMaxArrayDims, callee.name);
    Emit(Op::IndexLoad, static_cast<int>(call.args.size()));
    return element;
}

std::vector<const Expr*> ProcCompiler::BindArguments(const Expr& call, std::size_t given,
                                                     const std::vector<std::string>& params,
                                                     const std::string& callee, bool once) {
    const std::size_t count = params.size();
    std::vector<const Expr*> bound(count, nullptr);
    std::size_t next = 0;
    for (std::size_t i = 0; i < given; ++i) {
        std::size_t position = next;
        if (!call.argNames[i].empty()) {
            position = count;
            for (std::size_t p = 0; p < count; ++p) {
                if (EqualsNoCase(call.argNames[i], params[p])) {
                    position = p;
                }
            }
            if (position == count) {
                Fail(call.args[i]->pos, CompileError::NamedArgumentNotFound, call.argNames[i]);
            }
        } else {
            ++next;
        }
        if (position >= count) {
            Fail(call.pos, CompileError::WrongArgumentCount, callee);
        }
        if (once && bound[position] != nullptr) {
            Fail(call.args[i]->pos, CompileError::ArgumentGivenTwice, params[position]);
        }
        if (call.args[i]->kind != ExprKind::Missing) {
            bound[position] = call.args[i].get();
        }
    }
    return bound;
}

Declared ProcCompiler::CompileProcCall(int procIndex, const Expr& call) {
    const Procedure& target = program_.procs[static_cast<std::size_t>(procIndex)];
    // A ParamArray parameter takes the arguments beyond the others, made into one array.
    const bool paramArray = !target.params.empty() && target.params.back().paramArray;
    std::vector<std::string> names;
    for (const ParamInfo& param : target.params) {
        names.push_back(param.name);
    }
    std::size_t positional = call.args.size();
    if (paramArray) {
        names.pop_back();
        positional = std::min(positional, names.size());
    }
    const std::vector<const Expr*> bound =
        BindArguments(call, positional, names, target.name, true);
    // Whether every argument has its parameter's type already, or is a reference, which keeps it.
    bool typed = true;
    int lastRef = -1; // where the argument before is a lone RefLocal
    for (std::size_t p = 0; p < bound.size(); ++p) {
        const ParamInfo& param = target.params[p];
        const Expr* arg = bound[p];
        const bool converts =
            param.type != Tag::Empty && param.type != Tag::Record && !param.isArray;
        if (arg == nullptr) {
            if (!param.optional) {
                Fail(call.pos, CompileError::ArgumentNotOptional, param.name, target.name);
            }
            Emit(Op::PushConst, AddConstant(param.defaultValue));
            typed = typed && (!converts || param.defaultValue.GetTag() == param.type);
            lastRef = -1;
            continue;
        }
        const Declared declared = target.slots.declared[p];
        Declared given;
        const int start = Here();
        if (param.byRef && CompileReference(*arg, given)) {
            CheckByRefType(declared, given, arg->pos);
            if (Here() == start + 1 && proc_.code.back().op == Op::RefLocal) {
                lastRef = lastRef >= 0 && lastRef == start - 1 ? FuseRefs(lastRef) : start;
                continue;
            }
        } else {
            CompileValueFor(*arg, declared);
            typed = typed && (!converts || ExactKind(*arg) == param.type);
        }
        lastRef = -1;
    }
    if (paramArray) {
        for (std::size_t i = positional; i < call.args.size(); ++i) {
            if (!call.argNames[i].empty() || call.args[i]->kind == ExprKind::Missing) {
                Fail(call.args[i]->pos, CompileError::ExpectedExpression);
            }
            CompileExpr(*call.args[i]);
        }
        Emit(Op::CallBuiltin, static_cast<int>(BuiltinId::Array),
             static_cast<int>(call.args.size() - positional), ModuleOptions());
    }
    const int entry = typed ? static_cast<int>(ParamConversions(target.params).size()) : 0;
    Emit(Op::Call, procIndex, static_cast<int>(target.params.size()), entry);
    return target.isFunction ? target.slots.declared[static_cast<std::size_t>(target.resultSlot)]
                             : Declared{};
}

int ProcCompiler::FuseRefs(int first) {
    Instruction& pair = proc_.code[static_cast<std::size_t>(first)];
    pair.op = Op::RefLocals;
    pair.b = proc_.code.back().a;
    proc_.code.pop_back(); // the stack depth stays: two values either way
    return -1;
}

Tag ProcCompiler::ExactKind(const Expr& e) {
    const auto scalar = [](const Declared& d) {
        return d.record == nullptr && d.type >= Tag::Boolean && d.type <= Tag::String &&
                       d.type != Tag::Ref
                   ? d.type
                   : Tag::Empty;
    };
    switch (e.kind) {
    case ExprKind::Literal:
        return e.value.GetTag();
    case ExprKind::Name: {
        const Symbol symbol = LookupName(e);
        return symbol.kind == SymbolKind::Constant ? symbol.value.GetTag()
               : IsVariable(symbol)                ? scalar(symbol)
                                                   : Tag::Empty;
    }
    case ExprKind::Call: {
        if (e.object->kind != ExprKind::Name) {
            return Tag::Empty;
        }
        const Symbol callee = Lookup(e.object->name, e.object->pos);
        if (callee.kind != SymbolKind::Procedure) {
            return Tag::Empty;
        }
        const Procedure& target = program_.procs[static_cast<std::size_t>(callee.index)];
        return target.isFunction
                   ? scalar(target.slots.declared[static_cast<std::size_t>(target.resultSlot)])
                   : Tag::Empty;
    }
    default:
        break;
    }
    // An operation on constants is compiled to its value (TryFold).
    Variant folded;
    CompileMessage ignored;
    if (EvaluateConstant(e, *this, folded, ignored)) {
        return folded.GetTag();
    }
    switch (e.kind) {
    case ExprKind::Unary: {
        const Tag operand = ExactKind(*e.args[0]);
        const bool number =
            operand == Tag::Integer || operand == Tag::Long || operand == Tag::Double;
        return e.unaryOp == UnaryOp::Negate && number ? operand : Tag::Empty;
    }
    case ExprKind::Binary: {
        // As the machine computes them: Integer with Integer stays Integer (or fails with error
        // 6), with a Long it is Long; Double with Double is Double.
        const Tag left = ExactKind(*e.args[0]);
        const Tag right = ExactKind(*e.args[1]);
        const bool whole = (left == Tag::Integer || left == Tag::Long) &&
                           (right == Tag::Integer || right == Tag::Long);
        switch (e.binaryOp) {
        case BinaryOp::Add:
        case BinaryOp::Sub:
        case BinaryOp::Mul:
            if (left == Tag::Double && right == Tag::Double) {
                return Tag::Double;
            }
            [[fallthrough]];
        case BinaryOp::IntDiv:
        case BinaryOp::Mod:
            return !whole                                          ? Tag::Empty
                   : left == Tag::Integer && right == Tag::Integer ? Tag::Integer
                                                                   : Tag::Long;
        default:
            return Tag::Empty;
        }
    }
    default:
        return Tag::Empty;
    }
}

bool ProcCompiler::CompileReference(const Expr& arg, Declared& type) {
    // A variable in parentheses is an expression, passed as a value.
    if (arg.parenthesized) {
        return false;
    }
    // a() names the array itself, as a does; F() inside F is a call, not its result.
    const bool wholeArray =
        arg.kind == ExprKind::Call && arg.object->kind == ExprKind::Name && arg.args.empty();
    if (arg.kind == ExprKind::Name || wholeArray) {
        const Symbol symbol =
            wholeArray ? Lookup(arg.object->name, arg.object->pos) : LookupName(arg);
        if (!IsVariable(symbol)) {
            return false;
        }
        EmitRef(symbol, arg.pos);
        type = symbol;
        return true;
    }
    if (arg.kind == ExprKind::Call && arg.object->kind == ExprKind::Name && !arg.args.empty()) {
        const Symbol array = Lookup(arg.object->name, arg.object->pos);
        if (!IsVariable(array) || array.IsRecord()) {
            return false;
        }
        EmitRef(array, arg.pos);
        CompileValueArgs(arg, 1, kMaxArrayDims, arg.object->name);
        Emit(Op::RefElement, static_cast<int>(arg.args.size()));
        type = array.Element();
        return true;
    }
    // A member, or an element of one: the reference holds the record or array it lies in.
    Path path;
    if (arg.kind == ExprKind::Name || !ResolvePath(arg, path)) {
        return false;
    }
    EmitPathStart(path);
    Emit(Op::RefPath, AddAccessPath(path), static_cast<int>(path.indices.size()));
    type = path.type;
    return true;
}

bool ProcCompiler::CompileErrMethod(const Expr& call) {
    const Expr& callee = *call.object;
    if (callee.kind != ExprKind::Member || !IsErrObject(callee.object)) {
        return false;
    }
    if (EqualsNoCase(callee.name, "Raise")) {
        CompileErrRaise(call);
        return true;
    }
    if (EqualsNoCase(callee.name, "Clear")) {
        Emit(Op::ErrClear);
        return true;
    }
    return false;
}

void ProcCompiler::CompileErrRaise(const Expr& call) {
    // A later argument overrides an earlier one: Err.Raise 5, Number:=6 raises 6.
    static const std::vector<std::string> kParams = {"number", "source", "description", "helpfile",
                                                     "helpcontext"};
    const std::vector<const Expr*> bound =
        BindArguments(call, call.args.size(), kParams, "Err.Raise", false);
    if (bound[0] == nullptr) {
        Fail(call.pos, CompileError::ArgumentNotOptional, "Number", "Err.Raise");
    }
    for (int p = 0; p < 3; ++p) {
        if (bound[p] != nullptr) {
            CompileExpr(*bound[p]);
        } else {
            Emit(Op::PushConst, AddConstant(Variant()));
        }
    }
    Emit(Op::ErrRaise);
}

void ProcCompiler::CompileCallStatement(const Stmt& s) {
    const Expr& call = *s.target;
    if (call.kind != ExprKind::Call) {
        Fail(call.pos, CompileError::ExpectedProcedureCall);
    }
    const Expr& callee = *call.object;
    if (callee.kind == ExprKind::Name) {
        const Symbol symbol = Lookup(callee.name, callee.pos);
        if (IsVariable(symbol) || symbol.kind == SymbolKind::Constant) {
            Fail(callee.pos, CompileError::ExpectedProcedureNotVariable, callee.name);
        }
    }
    if (CompileErrMethod(call)) {
        return;
    }
    CompileCallExpr(call);
    Emit(Op::Pop);
}

void ProcCompiler::CompileAssign(const Stmt& s) {
    const Expr& target = *s.target;
    const Expr& value = *s.value;
    if (target.kind == ExprKind::Name) {
        if (IsOwnResult(target)) {
            const Symbol result = ResultSymbol();
            CompileValueFor(value, result);
            if (!FuseLocalStore(result)) {
                EmitStore(result, target.pos);
            }
            return;
        }
        const Symbol symbol = LookupOrDeclare(target.name, target.pos);
        // s = s & x appends in place instead of copying s every time.
        if (symbol.kind == SymbolKind::Local && value.kind == ExprKind::Binary &&
            value.binaryOp == BinaryOp::Concat && value.args[0]->kind == ExprKind::Name &&
            !value.args[0]->parenthesized && EqualsNoCase(value.args[0]->name, target.name) &&
            symbol.record == nullptr) {
            CompileExpr(*value.args[1]);
            Emit(Op::AppendLocal, symbol.index, static_cast<int>(symbol.type));
            return;
        }
        if (CompileLocalUpdate(symbol, value)) {
            return;
        }
        if (IsVariable(symbol)) {
            CompileValueFor(value, symbol);
        } else {
            CompileExpr(value);
        }
        if (!FuseLocalStore(symbol)) {
            EmitStore(symbol, target.pos);
        }
        return;
    }
    if (target.kind == ExprKind::Call && target.object->kind == ExprKind::Name) {
        const Symbol symbol = Lookup(target.object->name, target.object->pos);
        if (!IsVariable(symbol)) {
            Fail(target.pos, CompileError::ExpectedElementOrVariable);
        }
        if (symbol.IsRecord()) {
            Fail(target.pos, CompileError::ExpectedArrayVariable, target.object->name);
        }
        const Declared element = symbol.Element();
        if (CompileElementStoreAt(symbol, target, value)) {
            return;
        }
        if (symbol.kind != SymbolKind::Global && target.args.size() == 1) {
            CompileValueArgs(target, 1, 1, target.object->name);
            CompileValueFor(value, element);
            Emit(Op::StoreElement, symbol.index);
            return;
        }
        EmitRef(symbol, target.pos);
        CompileValueArgs(target, 1, kMaxArrayDims, target.object->name);
        CompileValueFor(value, element);
        Emit(Op::IndexStore, static_cast<int>(target.args.size()));
        return;
    }
    if (target.kind == ExprKind::Member && IsErrObject(target.object) &&
        Lookup("Err", target.pos).kind == SymbolKind::None) {
        const int field = ErrField(target.name, target.pos);
        CompileExpr(value);
        Emit(Op::ErrSet, field);
        return;
    }
    // A member, an element of one, an element of an element: the whole walk is one instruction
    // after the value, so nothing the value's computation does can move what it walks through.
    Path path;
    if (!ResolvePath(target, path)) {
        Fail(target.pos, CompileError::ExpectedVariableOrElement);
    }
    EmitPathStart(path);
    CompileValueFor(value, path.type);
    Emit(Op::StorePath, AddAccessPath(path), static_cast<int>(path.indices.size()));
}

void ProcCompiler::CompileWatchExpression(const Expr& expr) {
    CompileTyped(expr);
    Emit(Op::Return);
}

} // namespace vek::basic
