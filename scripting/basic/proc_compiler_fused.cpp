// Statements the compiler turns into fewer instructions: stores fused into the operation that
// computes their value, and Select Case on a local without a copy and through a jump table.
#include "scripting/basic/proc_compiler.h"
#include "scripting/basic/text_util.h"

#include <algorithm>
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

bool ProcCompiler::CompileSlotOperation(const Expr& e, Tag& left, Tag& right) {
    static_assert(static_cast<int>(Op::MulLocal) - static_cast<int>(Op::AddLocal) ==
                  static_cast<int>(BinaryOp::Mul) - static_cast<int>(BinaryOp::Add));
    if (e.binaryOp != BinaryOp::Add && e.binaryOp != BinaryOp::Sub && e.binaryOp != BinaryOp::Mul) {
        return false;
    }
    const Expr& operand = *e.args[0];
    if (operand.kind != ExprKind::Name) {
        return false;
    }
    const Symbol symbol = Lookup(operand.name, operand.pos);
    if ((symbol.kind != SymbolKind::Local && symbol.kind != SymbolKind::RefParam) ||
        symbol.record != nullptr || !FitsOperandD(symbol.index) || CallsProcedure(*e.args[1])) {
        return false;
    }
    left = symbol.type;
    right = CompileExpr(*e.args[1]);
    const bool variant = left == Tag::Empty || right == Tag::Empty;
    Emit(static_cast<Op>(static_cast<int>(Op::AddLocal) + static_cast<int>(e.binaryOp)),
         variant ? 1 : 0, 0, symbol.index);
    return true;
}

bool ProcCompiler::FuseLocalStore(const Symbol& target) {
    if (target.kind != SymbolKind::Local || proc_.code.empty()) {
        return false;
    }
    static_assert(static_cast<int>(Op::ModLocalConstTo) - static_cast<int>(Op::AddLocalConstTo) ==
                  static_cast<int>(Op::ModLocalConst) - static_cast<int>(Op::AddLocalConst));
    static_assert(static_cast<int>(Op::ModConstTo) - static_cast<int>(Op::AddConstTo) ==
                  static_cast<int>(Op::ModConst) - static_cast<int>(Op::AddConst));
    Instruction& last = proc_.code.back();
    const auto shifted = [&last](Op from, Op to) {
        return static_cast<Op>(static_cast<int>(to) + static_cast<int>(last.op) -
                               static_cast<int>(from));
    };
    const bool fitsD = FitsOperandD(target.index);
    if (last.op >= Op::AddLocalConst && last.op <= Op::ModLocalConst && fitsD) {
        last.op = shifted(Op::AddLocalConst, Op::AddLocalConstTo);
        last.d = static_cast<std::int16_t>(target.index);
    } else if (last.op >= Op::AddConst && last.op <= Op::ModConst) {
        last.op = shifted(Op::AddConst, Op::AddConstTo);
        last.c = target.index;
    } else if ((last.op == Op::LoadLocal || last.op == Op::LoadRef) && target.record == nullptr &&
               fitsD) {
        last.op = Op::CopyToLocal;
        last.b = static_cast<int>(target.type);
        last.d = static_cast<std::int16_t>(target.index);
    } else if (last.op == Op::LoadLocalElement && last.b == 1 && fitsD) {
        last.op = Op::LoadLocalElementTo;
        last.b = static_cast<int>(target.type);
        last.d = static_cast<std::int16_t>(target.index);
    } else {
        return false;
    }
    --depth_; // what the operation pushed, the store would have popped
    return true;
}

int ProcCompiler::SlotOf(const Expr& e) {
    if (e.kind != ExprKind::Name) {
        return -1;
    }
    const Symbol symbol = Lookup(e.name, e.pos);
    return symbol.kind == SymbolKind::Local || symbol.kind == SymbolKind::RefParam ? symbol.index
                                                                                   : -1;
}

bool ProcCompiler::CompileElementStoreAt(const Symbol& array, const Expr& call, const Expr& value) {
    if (array.kind == SymbolKind::Global || call.args.size() != 1 || !call.argNames[0].empty() ||
        CallsProcedure(value)) {
        return false;
    }
    const Expr& index = *call.args[0];
    if (const int slot = SlotOf(index); slot >= 0) {
        CompileValueFor(value, array.Element());
        Emit(Op::StoreElementAt, array.index, 0, slot);
        return true;
    }
    // a(i + 1) = value: only for a value that cannot fail, as the sum, computed after it here,
    // reports its overflow first when the index comes first.
    const auto cannotFail = [this](const Expr& e) {
        if (e.kind == ExprKind::Literal) {
            return true;
        }
        const SymbolKind kind =
            e.kind == ExprKind::Name ? Lookup(e.name, e.pos).kind : SymbolKind::None;
        return kind == SymbolKind::Local || kind == SymbolKind::RefParam ||
               kind == SymbolKind::Global || kind == SymbolKind::Constant;
    };
    Variant offset;
    CompileMessage ignored;
    if (index.kind != ExprKind::Binary || index.binaryOp != BinaryOp::Add ||
        SlotOf(*index.args[0]) < 0 || !EvaluateConstant(*index.args[1], *this, offset, ignored) ||
        !offset.IsNumeric() || !cannotFail(value)) {
        return false;
    }
    const Symbol slot = Lookup(index.args[0]->name, index.args[0]->pos);
    CompileValueFor(value, array.Element());
    Emit(Op::StoreElementPlus, array.index, AddConstant(offset), slot.index,
         slot.type == Tag::Empty ? 1 : 0);
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

bool ProcCompiler::CaseTableFor(const Stmt& s, std::int32_t& lower, std::vector<int>& clauseOf) {
    struct Span {
        std::int64_t from = 0;
        std::int64_t to = 0;
        int clause = 0;
    };
    std::vector<Span> spans;
    const auto whole = [this](const Expr& e, std::int64_t& out) {
        Variant value;
        CompileMessage ignored;
        if (!EvaluateConstant(e, *this, value, ignored) ||
            (value.GetTag() != Tag::Integer && value.GetTag() != Tag::Long)) {
            return false;
        }
        out = value.IntValue();
        return true;
    };
    for (std::size_t c = 0; c < s.cases.size(); ++c) {
        for (const CaseItem& item : s.cases[c].items) {
            Span span{0, 0, static_cast<int>(c)};
            if (item.test == CaseTest::Is || !whole(*item.value, span.from)) {
                return false;
            }
            span.to = span.from;
            if (item.test == CaseTest::Range && !whole(*item.upper, span.to)) {
                return false;
            }
            if (span.from <= span.to) { // Case 5 To 1 holds nothing
                spans.push_back(span);
            }
        }
    }
    if (spans.empty()) {
        return false;
    }
    std::int64_t low = spans.front().from;
    std::int64_t high = spans.front().to;
    for (const Span& span : spans) {
        low = std::min(low, span.from);
        high = std::max(high, span.to);
    }
    if (high - low >= kMaxCaseTableSpan) {
        return false;
    }
    lower = static_cast<std::int32_t>(low);
    clauseOf.assign(static_cast<std::size_t>(high - low + 1), -1);
    for (const Span& span : spans) {
        for (std::int64_t v = span.from; v <= span.to; ++v) {
            int& clause = clauseOf[static_cast<std::size_t>(v - low)];
            clause = clause < 0 ? span.clause : clause;
        }
    }
    return true;
}

} // namespace vek::basic
