// Statements the compiler turns into fewer instructions: stores fused into the operation that
// computes their value, and Select Case on a local without a copy.
#include "scripting/basic/proc_compiler.h"
#include "scripting/basic/text_util.h"

#include <limits>

namespace vek::basic {

namespace {

// The instruction that does `op` on a local and stores into it; Pop when there is none.
Op LocalUpdateOpcode(BinaryOp op) {
    switch (op) {
    case BinaryOp::Add:
        return Op::AddToLocal;
    case BinaryOp::Sub:
        return Op::SubToLocal;
    case BinaryOp::Mul:
        return Op::MulToLocal;
    default:
        return Op::Pop;
    }
}

bool FitsOperandD(int slot) {
    return slot <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

bool ProcCompiler::CallsProcedure(const Expr& e) {
    if (e.kind == ExprKind::Name && Lookup(e.name, e.pos).kind == SymbolKind::Procedure) {
        return true;
    }
    if (e.object && CallsProcedure(*e.object)) {
        return true;
    }
    for (const ExprPtr& arg : e.args) {
        if (arg && CallsProcedure(*arg)) {
            return true;
        }
    }
    return false;
}

bool ProcCompiler::CompileLocalUpdate(const Symbol& target, const Expr& value) {
    if (target.kind != SymbolKind::Local || target.record != nullptr ||
        value.kind != ExprKind::Binary || LocalUpdateOpcode(value.binaryOp) == Op::Pop) {
        return false;
    }
    const Expr& left = *value.args[0];
    const Expr& right = *value.args[1];
    Variant constant;
    CompileMessage ignored;
    // x = x + 1 fuses as an operation with a constant (FuseLocalStore); a procedure called on
    // the right might change x, which the left operand must read before.
    if (left.kind != ExprKind::Name || Lookup(left.name, left.pos).index != target.index ||
        Lookup(left.name, left.pos).kind != SymbolKind::Local ||
        EvaluateConstant(right, *this, constant, ignored) || CallsProcedure(right)) {
        return false;
    }
    const Tag rightKind = CompileExpr(right);
    const bool variant = target.type == Tag::Empty || rightKind == Tag::Empty;
    Emit(LocalUpdateOpcode(value.binaryOp), target.index, variant ? 1 : 0);
    return true;
}

bool ProcCompiler::FuseLocalStore(const Symbol& target) {
    if (target.kind != SymbolKind::Local || !FitsOperandD(target.index) || proc_.code.empty()) {
        return false;
    }
    Instruction& last = proc_.code.back();
    if (last.op < Op::AddLocalConst || last.op > Op::ModLocalConst) {
        return false;
    }
    static_assert(static_cast<int>(Op::ModLocalConstTo) - static_cast<int>(Op::AddLocalConstTo) ==
                  static_cast<int>(Op::ModLocalConst) - static_cast<int>(Op::AddLocalConst));
    last.op = static_cast<Op>(static_cast<int>(Op::AddLocalConstTo) + static_cast<int>(last.op) -
                              static_cast<int>(Op::AddLocalConst));
    last.d = static_cast<std::int16_t>(target.index);
    --depth_; // nothing pushed
    return true;
}

int ProcCompiler::SelectedLocal(const Stmt& s) {
    if (s.value->kind != ExprKind::Name) {
        return -1;
    }
    const Symbol symbol = Lookup(s.value->name, s.value->pos);
    if (symbol.kind != SymbolKind::Local || symbol.record != nullptr) {
        return -1;
    }
    Variant constant;
    CompileMessage ignored;
    for (const CaseClause& clause : s.cases) {
        for (const CaseItem& item : clause.items) {
            if (!EvaluateConstant(*item.value, *this, constant, ignored) ||
                (item.upper && !EvaluateConstant(*item.upper, *this, constant, ignored))) {
                return -1;
            }
        }
    }
    return symbol.index;
}

} // namespace vek::basic
