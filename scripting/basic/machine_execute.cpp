// The instruction loop of the machine.
#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/machine.h"
#include "scripting/basic/operators.h"
#include "scripting/basic/print_layout.h"
#include "scripting/basic/script_memory.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

// Threaded dispatch jumps through a table of label addresses, a GCC and Clang extension; other
// compilers take the portable switch.
#if defined(__GNUC__)
#define VEK_THREADED_DISPATCH 1
#pragma GCC diagnostic ignored "-Wpedantic"
#else
#define VEK_THREADED_DISPATCH 0
#endif

namespace vek::basic {

namespace {

bool FitsLong(std::int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}
bool IsIntOrLong(const Variant& v) {
    return v.GetTag() == Tag::Integer || v.GetTag() == Tag::Long;
}

// Whole-number division and remainder of a nonzero divisor in 32 bits, several times faster than
// in 64; only INT32_MIN / -1 leaves the range, and x Mod -1 is 0.
std::int64_t Quotient(std::int32_t x, std::int32_t y) {
    return y == -1 ? -std::int64_t{x} : x / y;
}
std::int64_t Remainder(std::int32_t x, std::int32_t y) {
    return y == -1 ? 0 : x % y;
}

// How an arithmetic instruction's operand treats a result that overflows.
Overflow OverflowOf(std::int32_t operand) {
    return operand != 0 ? Overflow::Widens : Overflow::Fails;
}

// The result of a whole-number operation on l and r, written over l: in place when l is a Long
// that still holds it (loop counters), else as IntegralResult makes it. Part of the fast paths,
// so always inlined; false for error 6.
[[gnu::always_inline]] inline bool SetIntegral(Variant& l, const Variant& r, std::int64_t value,
                                               std::int32_t widens) {
    if (l.GetTag() == Tag::Long && FitsLong(value)) {
        l.SetInt(static_cast<std::int32_t>(value));
        return true;
    }
    return IntegralResult(value, l.GetTag() == Tag::Integer && r.GetTag() == Tag::Integer,
                          OverflowOf(widens), l);
}

// A Double result written over target; false for error 6 when it overflowed to an infinity, so
// that none becomes a value. The fast roads' one check of a Double result.
[[gnu::always_inline]] inline bool SetFinite(Variant& target, double value) {
    if (!std::isfinite(value)) {
        return false;
    }
    target = Variant::Double(value);
    return true;
}

// The string comparison an instruction's text flag asks for.
StringCompare TextCompare(std::int32_t flag) {
    return flag != 0 ? StringCompare::Text : StringCompare::Binary;
}

// The general rules of an operator, for operands the fast paths do not take; the result is
// written over l. Kept out of the loop.
RunError ApplyOver(BinaryOp op, Variant& l, const Variant& r, Overflow overflow,
                   StringCompare compare = StringCompare::Binary) {
    Variant out;
    const RunError e = ApplyBinary(op, l, r, out, overflow, compare);
    if (e == RunError::None) {
        l = std::move(out);
    }
    return e;
}

// The operator of an instruction from Add to Like, which follow the order of BinaryOp.
BinaryOp AsBinary(Op op) {
    return static_cast<BinaryOp>(static_cast<int>(op) - static_cast<int>(Op::Add));
}

// Whether a For counter has passed its limit in the direction of the step.
RunError ForDone(const Variant& counter, const Variant& limit, const Variant& step, bool& done) {
    if (IsIntOrLong(counter) && IsIntOrLong(limit) && IsIntOrLong(step)) {
        done = step.IntValue() >= 0 ? counter.IntValue() > limit.IntValue()
                                    : counter.IntValue() < limit.IntValue();
        return RunError::None;
    }
    double c = 0;
    double l = 0;
    double s = 0;
    // A bound that is no number is error 13, one beyond a Double (a string such as "1E999") 6.
    RunError e = ToDouble(counter, c);
    if (e == RunError::None) {
        e = ToDouble(limit, l);
    }
    if (e == RunError::None) {
        e = ToDouble(step, s);
    }
    if (e != RunError::None) {
        return e;
    }
    done = s >= 0 ? c > l : c < l;
    return RunError::None;
}

// Leaves a slot Empty; cheaper than assigning an Empty value, which makes a temporary first.
[[gnu::always_inline]] inline void Vacate(Variant& slot) {
    std::destroy_at(&slot);
    new (&slot) Variant();
}

RunError StoreConverted(Variant& slot, Variant& value, Tag type) {
    if (type != Tag::Empty && value.GetTag() != type) {
        if (const RunError e = CoerceTo(value, type); e != RunError::None) {
            return e;
        }
    }
    slot = std::move(value);
    return RunError::None;
}

// l op r by the general rules, stored into a variable of kind `type`; the variable keeps its value
// when either fails. The slow road of the instructions that store their result themselves.
RunError StoreOperation(BinaryOp op, const Variant& l, const Variant& r, Overflow overflow,
                        Variant& target, Tag type) {
    Variant out;
    if (const RunError e = ApplyBinary(op, l, r, out, overflow); e != RunError::None) {
        return e;
    }
    return StoreConverted(target, out, type);
}

// Stores value as the element at one index of the array a slot holds or refers to.
[[gnu::always_inline]] inline RunError StoreIndexed(Variant& slot, const Variant& index,
                                                    Variant& value) {
    Variant& holder = slot.IsRef() ? *slot.Target() : slot;
    if (!holder.IsArray()) {
        return RunError::TypeMismatch;
    }
    std::size_t flat = 0;
    if (const RunError e = ElementIndex(*holder.GetArray(), &index, 1, flat); e != RunError::None) {
        return e;
    }
    return StoreElementOf(holder, flat, value);
}

// The element (index + offset) of the one-dimensional array `holder` holds, when all are whole
// numbers within its bounds: the fast road of a(i + 1).
[[gnu::always_inline]] inline bool OffsetWithin(const Variant& holder, const Variant& index,
                                                const Variant& offset, std::size_t& flat) {
    if (!holder.IsArray() || !IsIntOrLong(index) || !IsIntOrLong(offset)) {
        return false;
    }
    const ArrayObject& array = *holder.GetArray();
    const std::int64_t i = std::int64_t{index.IntValue()} + offset.IntValue();
    if (array.dims != 1 || i < array.lower[0] || i > array.upper[0]) {
        return false;
    }
    flat = static_cast<std::size_t>(i - array.lower[0]);
    return true;
}

// The element (index + offset) by the general rules, in the order the separate instructions
// would fail: the sum (error 6), then the array (13), then the bounds (9).
RunError OffsetElement(const Variant& holder, const Variant& index, const Variant& offset,
                       Overflow overflow, std::size_t& flat) {
    Variant sum;
    if (const RunError e = ApplyBinary(BinaryOp::Add, index, offset, sum, overflow);
        e != RunError::None) {
        return e;
    }
    if (!holder.IsArray()) {
        return RunError::TypeMismatch;
    }
    return ElementIndex(*holder.GetArray(), &sum, 1, flat);
}

// A copy of `value` stored into a variable of kind `type`; the copy comes first, as the variable
// may hold the array that `value` lies in.
RunError StoreCopy(Variant& target, const Variant& value, Tag type) {
    Variant copy = value;
    return StoreConverted(target, copy, type);
}

// The logical operators of two whole numbers give an Integer when both are, else a Long.
Tag BitwiseKind(const Variant& l, const Variant& r) {
    return l.GetTag() == Tag::Integer && r.GetTag() == Tag::Integer ? Tag::Integer : Tag::Long;
}

// The bounds of Dim and ReDim, popped as (lower, upper) pairs.
struct Bounds {
    std::int32_t lower[kMaxArrayDims];
    std::int32_t upper[kMaxArrayDims];
};

RunError PopBounds(const Variant* values, int dims, Bounds& bounds) {
    for (int d = 0; d < dims; ++d) {
        if (const RunError e = ToLong(values[2 * d], bounds.lower[d]); e != RunError::None) {
            return e;
        }
        if (const RunError e = ToLong(values[2 * d + 1], bounds.upper[d]); e != RunError::None) {
            return e;
        }
    }
    return RunError::None;
}

} // namespace

// Aligned to a cache line, so that the loop's speed does not change with the size of the code
// before it: some placements made the integer loop benchmark a third slower.
[[gnu::aligned(64)]] void Machine::Execute() {
    Frame* frame = &frames_.back();
    const Procedure* proc = frame->proc;
    const Instruction* code = proc->code.data();
    const Variant* consts = proc->constants.data();
    const Instruction* ip = code + frame->pc;
    Variant* base = frame->base;
    Variant* sp = sp_;
    std::int64_t budget = budget_; // statements until the next check, kept in a register
    int errorNumber = 0;
    std::string errorText;
    std::string errorSource;

    // Saves the registers into the frame before anything that may look at frames or the stack.
#define VEK_SYNC() (frame->pc = static_cast<int>(ip - code), sp_ = sp)
#define VEK_ENTER_TOP_FRAME()                                                                      \
    do {                                                                                           \
        frame = &frames_.back();                                                                   \
        proc = frame->proc;                                                                        \
        code = proc->code.data();                                                                  \
        consts = proc->constants.data();                                                           \
        ip = code + frame->pc;                                                                     \
        base = frame->base;                                                                        \
    } while (0)
#define VEK_LOAD_FRAME()                                                                           \
    do {                                                                                           \
        VEK_ENTER_TOP_FRAME();                                                                     \
        sp = sp_;                                                                                  \
    } while (0)
#define VEK_RAISE(e)                                                                               \
    do {                                                                                           \
        errorNumber = static_cast<int>(e);                                                         \
        errorText.clear();                                                                         \
        errorSource.clear();                                                                       \
        goto raise;                                                                                \
    } while (0)
#define VEK_CHECK(expr)                                                                            \
    do {                                                                                           \
        if (const RunError checkError = (expr); checkError != RunError::None) {                    \
            VEK_RAISE(checkError);                                                                 \
        }                                                                                          \
    } while (0)
    // The slots above the top of the stack hold no string, array or record (a return leaves the
    // numbers of its frame's typed slots there), so a value pushed is made in place.
#define VEK_PUSH(value) new (sp++) Variant(value)
#define VEK_POP_CLEAR(n)                                                                           \
    do {                                                                                           \
        for (int popI = 0; popI < (n); ++popI) {                                                   \
            *--sp = Variant();                                                                     \
        }                                                                                          \
    } while (0)

    // Every handler ends with VEK_NEXT. Threaded, that fetches the next instruction and jumps
    // through the table entry of its opcode and statement flag together, so each handler has a
    // jump of its own, which the processor predicts far better than the one of a switch, and an
    // instruction inside a statement costs no statement check at all: the first instruction of a
    // statement goes through a stub that counts it first. Elsewhere the switch in the loop below
    // dispatches.
#if VEK_THREADED_DISPATCH
    // The opcode and the flag read as one 16-bit number: opcode + 256 * flag.
    static_assert(std::endian::native == std::endian::little &&
                  offsetof(Instruction, startsStatement) == 1 && sizeof(bool) == 1);
    static const void* const kHandlers[2][256] = {
        {
#define VEK_BASIC_HANDLER_ADDRESS(name, operands, effect, doc) &&op_##name,
            VEK_BASIC_OPCODES(VEK_BASIC_HANDLER_ADDRESS)
#undef VEK_BASIC_HANDLER_ADDRESS
        },
        {
#define VEK_BASIC_STATEMENT_ADDRESS(name, operands, effect, doc) &&statement_##name,
            VEK_BASIC_OPCODES(VEK_BASIC_STATEMENT_ADDRESS)
#undef VEK_BASIC_STATEMENT_ADDRESS
        },
    };
    const void* const* const handlers = &kHandlers[0][0];
#define VEK_OP(name) op_##name:
#define VEK_NEXT()                                                                                 \
    do {                                                                                           \
        in = ip++;                                                                                 \
        std::uint16_t entry = 0;                                                                   \
        std::memcpy(&entry, in, sizeof entry);                                                     \
        goto* handlers[entry];                                                                     \
    } while (0)
#define VEK_DISPATCH() goto* handlers[static_cast<int>(in->op)];
#define VEK_FALLTHROUGH
#else
#define VEK_OP(name) case Op::name:
#define VEK_NEXT() continue
#define VEK_DISPATCH() switch (in->op)
#define VEK_FALLTHROUGH [[fallthrough]];
#endif

    // Ends a handler whose locals need destroying: a jump through the table would skip their
    // destructors, a plain jump to the shared fetch below runs them.
#define VEK_NEXT_DESTROYING() goto next

    const Instruction* in = nullptr;
    for (;;) {
    next:
        in = ip++;
        if (in->startsStatement && --budget < 0) {
#if VEK_THREADED_DISPATCH
        statement:
#endif
            frame->pc = static_cast<int>(ip - 1 - code);
            sp_ = sp;
            budget_ = budget;
            const Boundary boundary = OnStatement(*frame);
            budget = budget_;
            switch (boundary) {
            case Boundary::Continue:
                break;
            case Boundary::Yield:
                return;
            case Boundary::Fail:
                UnwindTo(evalRoot_);
                return;
            }
        }
        VEK_DISPATCH() {
            VEK_OP(PushConst)
            VEK_PUSH(consts[in->a]);
            VEK_NEXT();
            VEK_OP(Pop)
            *--sp = Variant();
            VEK_NEXT();
            VEK_OP(LoadLocal)
            VEK_PUSH(base[in->a]);
            VEK_NEXT();
            // A store pops its value only once it is stored: a value that fails to convert stays
            // on the stack, where the error's unwinding frees it.
            VEK_OP(StoreLocal)
            if (in->b == 0 || sp[-1].GetTag() == static_cast<Tag>(in->b)) {
                base[in->a] = std::move(*--sp);
                VEK_NEXT();
            }
            VEK_CHECK(StoreConverted(base[in->a], sp[-1], static_cast<Tag>(in->b)));
            --sp;
            VEK_NEXT();
            VEK_OP(LoadRef) {
                VEK_PUSH(base[in->a].Deref());
                VEK_NEXT();
            }
            VEK_OP(StoreRef) {
                Variant& slot = base[in->a];
                if (slot.IsRef()) {
                    if (in->b != 0) {
                        VEK_CHECK(CoerceTo(sp[-1], static_cast<Tag>(in->b)));
                    }
                    VEK_CHECK(StoreConverted(*slot.Target(), sp[-1], slot.RefType()));
                } else {
                    VEK_CHECK(StoreConverted(slot, sp[-1], static_cast<Tag>(in->b)));
                }
                --sp;
                VEK_NEXT();
            }
            VEK_OP(LoadGlobal)
            VEK_PUSH(globals_[static_cast<std::size_t>(in->a)]);
            VEK_NEXT();
            VEK_OP(StoreGlobal)
            VEK_CHECK(StoreConverted(globals_[static_cast<std::size_t>(in->a)], sp[-1],
                                     static_cast<Tag>(in->b)));
            --sp;
            VEK_NEXT();
            // Pushes a reference to local slot `index`, or the reference a ByRef parameter's
            // slot holds.
#define VEK_PUSH_REF(index)                                                                        \
    do {                                                                                           \
        Variant& refSlot = base[index];                                                            \
        if (refSlot.IsRef()) {                                                                     \
            VEK_PUSH(refSlot);                                                                     \
        } else {                                                                                   \
            VEK_PUSH(Variant::Ref(&refSlot, proc->slots.types[static_cast<std::size_t>(index)]));  \
        }                                                                                          \
    } while (0)
            VEK_OP(RefLocal)
            VEK_PUSH_REF(in->a);
            VEK_NEXT();
            VEK_OP(RefGlobal)
            VEK_PUSH(Variant::Ref(&globals_[static_cast<std::size_t>(in->a)],
                                  program_.globals[static_cast<std::size_t>(in->a)].type.type));
            VEK_NEXT();
            VEK_OP(AppendLocal) {
                Variant& slot = base[in->a];
                Variant& value = sp[-1];
                const auto type = static_cast<Tag>(in->b);
                if (slot.IsString() && (type == Tag::Empty || type == Tag::String)) {
                    if (value.IsString()) {
                        VEK_CHECK(
                            ReserveString(slot.StringValue().size() + value.StringValue().size()));
                        slot.AppendString(value.StringValue());
                    } else if (!value.IsNull()) { // s & Null is s
                        std::string text;
                        VEK_CHECK(ToText(value, text));
                        VEK_CHECK(ReserveString(slot.StringValue().size() + text.size()));
                        slot.AppendString(text);
                    }
                } else {
                    Variant joined;
                    VEK_CHECK(ApplyBinary(BinaryOp::Concat, slot, value, joined, Overflow::Fails));
                    VEK_CHECK(StoreConverted(slot, joined, type));
                }
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_OP(Add)
            VEK_OP(Sub) {
                Variant& l = sp[-2];
                const Variant& r = sp[-1];
                if (IsIntOrLong(l) && IsIntOrLong(r)) {
                    if (!SetIntegral(l, r,
                                     in->op == Op::Add ? std::int64_t{l.IntValue()} + r.IntValue()
                                                       : std::int64_t{l.IntValue()} - r.IntValue(),
                                     in->a)) {
                        VEK_RAISE(RunError::Overflow);
                    }
                } else if (l.GetTag() == Tag::Double && r.GetTag() == Tag::Double) {
                    if (!SetFinite(l, in->op == Op::Add ? l.DoubleValue() + r.DoubleValue()
                                                        : l.DoubleValue() - r.DoubleValue())) {
                        VEK_RAISE(RunError::Overflow);
                    }
                } else {
                    VEK_CHECK(ApplyOver(AsBinary(in->op), l, r, OverflowOf(in->a)));
                }
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_OP(Mul) {
                Variant& l = sp[-2];
                const Variant& r = sp[-1];
                if (IsIntOrLong(l) && IsIntOrLong(r)) {
                    if (!SetIntegral(l, r, std::int64_t{l.IntValue()} * r.IntValue(), in->a)) {
                        VEK_RAISE(RunError::Overflow);
                    }
                } else if (l.GetTag() == Tag::Double && r.GetTag() == Tag::Double) {
                    if (!SetFinite(l, l.DoubleValue() * r.DoubleValue())) {
                        VEK_RAISE(RunError::Overflow);
                    }
                } else {
                    VEK_CHECK(ApplyOver(BinaryOp::Mul, l, r, OverflowOf(in->a)));
                }
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_OP(IntDiv)
            VEK_OP(Mod) {
                Variant& l = sp[-2];
                const Variant& r = sp[-1];
                if (IsIntOrLong(l) && IsIntOrLong(r) && r.IntValue() != 0) {
                    const std::int32_t a = l.IntValue();
                    const std::int32_t b = r.IntValue();
                    if (!SetIntegral(l, r, in->op == Op::Mod ? Remainder(a, b) : Quotient(a, b),
                                     in->a)) {
                        VEK_RAISE(RunError::Overflow);
                    }
                } else {
                    VEK_CHECK(ApplyOver(AsBinary(in->op), l, r, OverflowOf(in->a)));
                }
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_OP(And)
            VEK_OP(Or)
            VEK_OP(Xor)
            VEK_OP(Eqv)
            VEK_OP(Imp)
            if (IsIntOrLong(sp[-2]) && IsIntOrLong(sp[-1])) {
                sp[-2] = Variant::Whole(
                    BitwiseKind(sp[-2], sp[-1]),
                    BitwiseOf(AsBinary(in->op), sp[-2].IntValue(), sp[-1].IntValue()));
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_FALLTHROUGH
            VEK_OP(Div)
            VEK_OP(Pow)
            VEK_OP(Concat)
            VEK_CHECK(ApplyOver(AsBinary(in->op), sp[-2], sp[-1], Overflow::Fails));
            *--sp = Variant();
            VEK_NEXT();
            VEK_OP(Eq)
            VEK_OP(Ne)
            VEK_OP(Lt)
            VEK_OP(Le)
            VEK_OP(Gt)
            VEK_OP(Ge) {
                Variant& l = sp[-2];
                int order = 0;
                VEK_CHECK(Order(l, sp[-1], order, TextCompare(in->a)));
                l = order == kUnordered
                        ? Variant::Null()
                        : Variant::Boolean(OrderIn(OrderMask(AsBinary(in->op)), order));
                *--sp = Variant();
                VEK_NEXT();
            }
            // A whole-number operation with a constant right operand; one case per operator so
            // that each keeps its own dispatch. The one that reads its left operand from a slot
            // pushes it and goes on as the other.
#define VEK_CONSTANT_OPERATION(name, binary, expression, needsDivisor)                             \
    VEK_OP(name##LocalConst)                                                                       \
    VEK_PUSH(base[in->c].Deref());                                                                 \
    VEK_FALLTHROUGH                                                                                \
    VEK_OP(name##Const) {                                                                          \
        Variant& l = sp[-1];                                                                       \
        const Variant& r = consts[in->a];                                                          \
        if (IsIntOrLong(l) && IsIntOrLong(r) && (!(needsDivisor) || r.IntValue() != 0)) {          \
            const std::int32_t x = l.IntValue();                                                   \
            const std::int32_t y = r.IntValue();                                                   \
            if (!SetIntegral(l, r, (expression), in->b)) {                                         \
                VEK_RAISE(RunError::Overflow);                                                     \
            }                                                                                      \
            VEK_NEXT();                                                                            \
        }                                                                                          \
        VEK_CHECK(ApplyOver(binary, l, r, OverflowOf(in->b)));                                     \
        VEK_NEXT();                                                                                \
    }
            VEK_CONSTANT_OPERATION(Add, BinaryOp::Add, std::int64_t{x} + y, false)
            VEK_CONSTANT_OPERATION(Sub, BinaryOp::Sub, std::int64_t{x} - y, false)
            VEK_CONSTANT_OPERATION(Mul, BinaryOp::Mul, std::int64_t{x} * y, false)
            VEK_CONSTANT_OPERATION(IntDiv, BinaryOp::IntDiv, Quotient(x, y), true)
            VEK_CONSTANT_OPERATION(Mod, BinaryOp::Mod, Remainder(x, y), true)
#undef VEK_CONSTANT_OPERATION
            // local d = slot c op constant, local c = popped value op constant: a whole Long
            // result goes straight into a local that holds a Long (one declared Long, or a Variant
            // holding one), anything else takes the general rules and the local's conversion.
#define VEK_CONSTANT_STORE_INTO(opName, left, targetSlot, pops, expression, needsDivisor, binary)  \
    VEK_OP(opName) {                                                                               \
        const Variant& l = (left);                                                                 \
        const Variant& r = consts[in->a];                                                          \
        Variant& target = base[targetSlot];                                                        \
        if (l.GetTag() == Tag::Long && target.GetTag() == Tag::Long && IsIntOrLong(r) &&           \
            (!(needsDivisor) || r.IntValue() != 0)) {                                              \
            const std::int32_t x = l.IntValue();                                                   \
            const std::int32_t y = r.IntValue();                                                   \
            if (const std::int64_t value = (expression); FitsLong(value)) {                        \
                target.SetInt(static_cast<std::int32_t>(value));                                   \
                VEK_POP_CLEAR(pops);                                                               \
                VEK_NEXT();                                                                        \
            }                                                                                      \
        }                                                                                          \
        VEK_CHECK(StoreOperation(binary, l, r, OverflowOf(in->b), target,                          \
                                 proc->slots.types[static_cast<std::size_t>(targetSlot)]));        \
        VEK_POP_CLEAR(pops);                                                                       \
        VEK_NEXT();                                                                                \
    }
#define VEK_CONSTANT_STORE(name, binary, expression, needsDivisor)                                 \
    VEK_CONSTANT_STORE_INTO(name##LocalConstTo, base[in->c].Deref(), in->d, 0, expression,         \
                            needsDivisor, binary)                                                  \
    VEK_CONSTANT_STORE_INTO(name##ConstTo, sp[-1], in->c, 1, expression, needsDivisor, binary)
            VEK_CONSTANT_STORE(Add, BinaryOp::Add, std::int64_t{x} + y, false)
            VEK_CONSTANT_STORE(Sub, BinaryOp::Sub, std::int64_t{x} - y, false)
            VEK_CONSTANT_STORE(Mul, BinaryOp::Mul, std::int64_t{x} * y, false)
            VEK_CONSTANT_STORE(IntDiv, BinaryOp::IntDiv, Quotient(x, y), true)
            VEK_CONSTANT_STORE(Mod, BinaryOp::Mod, Remainder(x, y), true)
#undef VEK_CONSTANT_STORE
#undef VEK_CONSTANT_STORE_INTO
            // slot op the value on top, written over it.
#define VEK_SLOT_OPERATION(name, binary, operation)                                                \
    VEK_OP(name##Local) {                                                                          \
        const Variant& l = base[in->c].Deref();                                                    \
        Variant& r = sp[-1];                                                                       \
        if (l.GetTag() == Tag::Long && IsIntOrLong(r)) {                                           \
            if (const std::int64_t value = std::int64_t{l.IntValue()} operation r.IntValue();      \
                FitsLong(value)) {                                                                 \
                r = Variant::Long(static_cast<std::int32_t>(value));                               \
                VEK_NEXT();                                                                        \
            }                                                                                      \
        } else if (l.GetTag() == Tag::Double && r.GetTag() == Tag::Double) {                       \
            if (!SetFinite(r, l.DoubleValue() operation r.DoubleValue())) {                        \
                VEK_RAISE(RunError::Overflow);                                                     \
            }                                                                                      \
            VEK_NEXT();                                                                            \
        }                                                                                          \
        VEK_CHECK(StoreOperation(binary, l, r, OverflowOf(in->a), r, Tag::Empty));                 \
        VEK_NEXT();                                                                                \
    }
            VEK_SLOT_OPERATION(Add, BinaryOp::Add, +)
            VEK_SLOT_OPERATION(Sub, BinaryOp::Sub, -)
            VEK_SLOT_OPERATION(Mul, BinaryOp::Mul, *)
#undef VEK_SLOT_OPERATION
            // local a = local a op the value on top, with the fast roads of Add and the others.
#define VEK_STORE_OPERATION(name, binary, operation)                                               \
    VEK_OP(name##ToLocal) {                                                                        \
        Variant& l = base[in->a];                                                                  \
        const Variant& r = sp[-1];                                                                 \
        if (l.GetTag() == Tag::Long && IsIntOrLong(r)) {                                           \
            if (const std::int64_t value = std::int64_t{l.IntValue()} operation r.IntValue();      \
                FitsLong(value)) {                                                                 \
                l.SetInt(static_cast<std::int32_t>(value));                                        \
                *--sp = Variant();                                                                 \
                VEK_NEXT();                                                                        \
            }                                                                                      \
        } else if (l.GetTag() == Tag::Double && r.GetTag() == Tag::Double) {                       \
            if (!SetFinite(l, l.DoubleValue() operation r.DoubleValue())) {                        \
                VEK_RAISE(RunError::Overflow);                                                     \
            }                                                                                      \
            *--sp = Variant();                                                                     \
            VEK_NEXT();                                                                            \
        }                                                                                          \
        VEK_CHECK(StoreOperation(binary, l, r, OverflowOf(in->b), l,                               \
                                 proc->slots.types[static_cast<std::size_t>(in->a)]));             \
        *--sp = Variant();                                                                         \
        VEK_NEXT();                                                                                \
    }
            VEK_STORE_OPERATION(Add, BinaryOp::Add, +)
            VEK_STORE_OPERATION(Sub, BinaryOp::Sub, -)
            VEK_STORE_OPERATION(Mul, BinaryOp::Mul, *)
#undef VEK_STORE_OPERATION
            VEK_OP(Negate)
            VEK_OP(Not) {
                Variant out;
                VEK_CHECK(ApplyUnary(in->op == Op::Negate ? UnaryOp::Negate : UnaryOp::Not, sp[-1],
                                     out, OverflowOf(in->a)));
                sp[-1] = std::move(out);
                VEK_NEXT_DESTROYING();
            }
            // Compares two values and jumps as operand b says (see CompareConstJump).
#define VEK_COMPARE_JUMP(left, right)                                                              \
    do {                                                                                           \
        int order = 0;                                                                             \
        VEK_CHECK(Order(left, right, order, TextCompare(in->b& kStringsAsText)));                  \
        if (OrderIn(in->b, order) == ((in->b & kJumpWhenTrue) != 0)) {                             \
            ip = code + in->a;                                                                     \
        }                                                                                          \
    } while (0)
            VEK_OP(CompareConstJump)
            VEK_COMPARE_JUMP(sp[-1], consts[in->c]);
            *--sp = Variant();
            VEK_NEXT();
            VEK_OP(CompareLocalConstJump)
            VEK_COMPARE_JUMP(base[in->d].Deref(), consts[in->c]);
            VEK_NEXT();
            VEK_OP(CompareLocalsJump)
            VEK_COMPARE_JUMP(base[in->c].Deref(), base[in->d].Deref());
            VEK_NEXT();
#undef VEK_COMPARE_JUMP
            VEK_OP(SelectJump) {
                const Variant& value = base[in->d];
                if (IsIntOrLong(value)) {
                    const CaseTable& table = proc->caseTables[static_cast<std::size_t>(in->c)];
                    const auto entry =
                        static_cast<std::uint64_t>(std::int64_t{value.IntValue()} - table.lower);
                    ip = code + (entry < table.targets.size() ? table.targets[entry] : in->a);
                }
                VEK_NEXT();
            }
            VEK_OP(Jump)
            ip = code + in->a;
            VEK_NEXT();
            VEK_OP(OnIndex) {
                std::int32_t n = 0;
                VEK_CHECK(ToLong(sp[-1], n));
                *--sp = Variant();
                if (n < 0 || n > 255) {
                    VEK_RAISE(RunError::InvalidCall);
                }
                ip += 2 * (n >= 1 && n <= in->a ? n - 1 : in->a);
                VEK_NEXT();
            }
            VEK_OP(GoSub)
            if (gosubs_.size() >= kMaxGoSubDepth) {
                VEK_RAISE(RunError::OutOfStackSpace);
            }
            gosubs_.push_back({frames_.size(), static_cast<int>(ip - code)});
            ip = code + in->a;
            VEK_NEXT();
            VEK_OP(GoSubReturn)
            if (gosubs_.empty() || gosubs_.back().depth != frames_.size()) {
                VEK_RAISE(RunError::ReturnWithoutGoSub);
            }
            ip = code + gosubs_.back().pc;
            gosubs_.pop_back();
            VEK_NEXT();
            VEK_OP(JumpIfFalse)
            VEK_OP(JumpIfTrue) {
                bool truth = false;
                VEK_CHECK(ToCondition(sp[-1], truth));
                *--sp = Variant();
                if (truth == (in->op == Op::JumpIfTrue)) {
                    ip = code + in->a;
                }
                VEK_NEXT();
            }
            VEK_OP(CompareJump) {
                int order = 0;
                VEK_CHECK(Order(sp[-2], sp[-1], order, TextCompare(in->b & kStringsAsText)));
                VEK_POP_CLEAR(2);
                if (OrderIn(in->b, order) == (in->c != 0)) {
                    ip = code + in->a;
                }
                VEK_NEXT();
            }
            VEK_OP(ForEnter) {
                bool done = false;
                VEK_CHECK(ForDone(base[in->a], base[in->b], base[in->b + 1], done));
                if (done) {
                    ip = code + in->c;
                }
                VEK_NEXT();
            }
            VEK_OP(ForStep) {
                Variant& counter = base[in->a];
                const Variant& limit = base[in->b];
                const Variant& step = base[in->b + 1];
                if (counter.GetTag() == Tag::Long && step.GetTag() <= Tag::Long &&
                    step.IsIntegral() && limit.IsIntegral()) {
                    const std::int64_t next = std::int64_t{counter.IntValue()} + step.IntValue();
                    if (FitsLong(next)) {
                        counter.SetInt(static_cast<std::int32_t>(next));
                        if (step.IntValue() >= 0 ? next <= limit.IntValue()
                                                 : next >= limit.IntValue()) {
                            ip = code + in->c;
                        }
                        VEK_NEXT();
                    }
                }
                // A Variant counter widens past its kind; a typed one fails when it leaves it.
                const Tag type = proc->slots.types[static_cast<std::size_t>(in->a)];
                Variant next;
                VEK_CHECK(ApplyBinary(BinaryOp::Add, counter, step, next,
                                      type == Tag::Empty ? Overflow::Widens : Overflow::Fails));
                VEK_CHECK(StoreConverted(counter, next, type));
                bool done = false;
                VEK_CHECK(ForDone(counter, limit, step, done));
                if (!done) {
                    ip = code + in->c;
                }
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(ForCheck) {
                bool done = false;
                VEK_CHECK(ForDone(sp[-1], base[in->a], base[in->a + 1], done));
                *--sp = Variant();
                if (done) {
                    ip = code + in->b;
                }
                VEK_NEXT();
            }
            VEK_OP(ForEachEnter) {
                Variant& collection = sp[-1];
                if (!collection.IsArray()) {
                    VEK_RAISE(RunError::TypeMismatch);
                }
                const bool empty = collection.GetArray()->items.empty();
                base[in->a] = std::move(collection);
                base[in->a + 1] = Variant::Long(0);
                *--sp = Variant();
                if (empty) {
                    ip = code + in->b;
                }
                VEK_NEXT();
            }
            VEK_OP(ForEachNext) {
                if (!base[in->a].IsArray()) {
                    VEK_RAISE(RunError::ForLoopNotInitialized); // GoTo into the loop's body
                }
                const auto& items = base[in->a].GetArray()->items;
                const std::int32_t position = base[in->a + 1].IntValue();
                if (static_cast<std::size_t>(position) >= items.size()) {
                    ip = code + in->b;
                    VEK_NEXT();
                }
                VEK_PUSH(items[static_cast<std::size_t>(position)]);
                base[in->a + 1].SetInt(position + 1);
                VEK_NEXT();
            }
            VEK_OP(Call) {
                // EnterProcedure, written out here because calls are the hot road of recursion.
                const Procedure& callee = program_.procs[static_cast<std::size_t>(in->a)];
                Variant* const calleeBase = sp - in->b;
                Variant* const top = calleeBase + callee.slots.init.size();
                if (frames_.size() >= kMaxCallDepth || top + callee.maxStack + 1 > stackEnd_) {
                    VEK_RAISE(RunError::OutOfStackSpace);
                }
                const Variant* init = callee.slots.init.data();
                for (Variant* slot = sp; slot < top; ++slot) {
                    new (slot) Variant(init[slot - calleeBase]); // made in place, as a push
                }
                frame->pc = static_cast<int>(ip - code);
                Frame& next = frames_.emplace_back();
                next.proc = &callee;
                next.base = calleeBase;
                next.floor = calleeBase;
                frame = &next;
                proc = &callee;
                code = callee.code.data();
                consts = callee.constants.data();
                ip = code + in->c;
                base = calleeBase;
                sp = top;
                VEK_NEXT();
            }
            VEK_OP(RefLocals)
            VEK_PUSH_REF(in->a);
            VEK_PUSH_REF(in->b);
            VEK_NEXT();
            VEK_OP(CallBuiltin) {
                Variant out;
                context_.options = in->c;
                const RunError e = BuiltinAt(in->a).function(context_, sp - in->b, in->b, out);
                VEK_POP_CLEAR(in->b);
                VEK_PUSH(std::move(out));
                VEK_CHECK(e);
                VEK_CHECK(CheckScriptMemory()); // what the function made counts at once
                if (context_.waitMs >= 0) {
                    const auto ms = context_.waitMs;
                    context_.waitMs = -1;
                    if (!evaluating_ && ms > 0 && wait_) {
                        VEK_SYNC();
                        wait_(static_cast<int>(ms));
                    } else if (!evaluating_ && ms > 0) {
                        wakeAt_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
                        state_ = RunState::Waiting;
                        VEK_SYNC();
                        return;
                    }
                }
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(CallHost) {
                std::vector<Variant> args(sp - in->b, sp);
                VEK_POP_CLEAR(in->b);
                VEK_SYNC();
                HostCallResult result = (*host_)[static_cast<std::size_t>(in->a)](args);
                VEK_PUSH(std::move(result.value));
                if (result.errorNumber != 0) {
                    errorNumber = result.errorNumber;
                    errorText = result.errorDescription;
                    goto raise;
                }
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(CoerceParam) {
                const auto type = static_cast<Tag>(in->b);
                for (Variant* slot = base + in->a; slot < base + in->a + in->c; ++slot) {
                    if (slot->GetTag() != type && !slot->IsRef()) {
                        VEK_CHECK(CoerceTo(*slot, type));
                    }
                }
                VEK_NEXT();
            }
            VEK_OP(Return) {
                // The result moves straight to where the caller finds it, the frame's floor.
                Variant* const floor = frame->floor;
                if (!(frame->inHandler | frame->evalRoot) && frame != frames_.data() &&
                    pins_.empty() && gosubs_.empty()) {
                    // The return of a call from a procedure, without anything to release but
                    // the frame's values; its floor is its base. Slots of number types keep
                    // their numbers: above the top, only strings and arrays must not stay.
                    if (proc->resultSlot > 0) {
                        *floor = std::move(base[proc->resultSlot]);
                    } else if (proc->resultSlot < 0) {
                        Vacate(*floor); // a Sub's result, Empty
                    }
                    for (Variant* clear = base + proc->releaseFrom; clear < sp; ++clear) {
                        Vacate(*clear);
                    }
                    frames_.pop_back();
                    VEK_ENTER_TOP_FRAME();
                    sp = floor + 1; // the result
                    VEK_NEXT();
                }
                Variant* const result = proc->isWatch           ? sp - 1
                                        : proc->resultSlot >= 0 ? base + proc->resultSlot
                                                                : nullptr;
                const bool evalRoot = frame->evalRoot;
                if (evalRoot) {
                    evalResult_ = result != nullptr ? std::move(*result) : Variant();
                } else if (result != nullptr && result != floor) {
                    *floor = std::move(*result);
                }
                if (frame->inHandler) {
                    err_ = {};
                }
                const bool keepsResult = !evalRoot && result != nullptr;
                for (Variant* s = keepsResult ? floor + 1 : floor; s < sp; ++s) {
                    *s = Variant();
                }
                sp = floor;
                sp_ = sp;
                if (!pins_.empty()) {
                    ReleasePins(sp);
                }
                DropGoSubs(frames_.size() - 1);
                frames_.pop_back();
                if (evalRoot) {
                    return;
                }
                if (frames_.empty()) {
                    *floor = Variant();
                    state_ = RunState::Finished;
                    return;
                }
                VEK_LOAD_FRAME();
                ++sp; // the result
                VEK_NEXT();
            }
            VEK_OP(EndProgram)
            VEK_SYNC();
            if (evaluating_) {
                evalError_ = "End cannot run in a watch expression";
                UnwindTo(evalRoot_);
                return;
            }
            UnwindTo(0);
            state_ = RunState::Finished;
            return;
            VEK_OP(NewArray) {
                Bounds bounds;
                VEK_CHECK(PopBounds(sp - 2 * in->a, in->a, bounds));
                Variant array;
                const RecordType* record =
                    in->c > 0 ? program_.records[static_cast<std::size_t>(in->c - 1)].get()
                              : nullptr;
                VEK_CHECK(NewArray(in->a, bounds.lower, bounds.upper, static_cast<Tag>(in->b),
                                   record, array));
                VEK_POP_CLEAR(2 * in->a);
                VEK_PUSH(std::move(array));
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(ReDim) {
                Bounds bounds;
                VEK_CHECK(PopBounds(sp - 2 * in->a, in->a, bounds));
                Variant* reference = &sp[-2 * in->a - 1];
                VEK_CHECK(Redimension(*reference->Target(), in->a, bounds.lower, bounds.upper,
                                      static_cast<Tag>(in->b), in->c != 0));
                VEK_POP_CLEAR(2 * in->a + 1);
                if (!pins_.empty()) {
                    ReleasePins(reference); // the record a member's reference held (RefPath)
                }
                VEK_NEXT();
            }
            VEK_OP(IndexLoad) {
                Variant& array = sp[-in->a - 1];
                if (!array.IsArray()) {
                    VEK_RAISE(RunError::TypeMismatch);
                }
                std::size_t flat = 0;
                VEK_CHECK(ElementIndex(*array.GetArray(), sp - in->a, in->a, flat));
                Variant element = array.GetArray()->items[flat];
                VEK_POP_CLEAR(in->a);
                sp[-1] = std::move(element);
                VEK_NEXT_DESTROYING();
            }
            // The array held by slot a, or error 13.
#define VEK_SLOT_ARRAY(array)                                                                      \
    const Variant& array##Holder = base[in->a].Deref();                                            \
    if (!array##Holder.IsArray()) {                                                                \
        VEK_RAISE(RunError::TypeMismatch);                                                         \
    }                                                                                              \
    const ArrayObject& array = *array##Holder.GetArray()
            VEK_OP(LoadElement) {
                VEK_SLOT_ARRAY(array);
                Variant& index = sp[-1];
                if (in->b == 1 && array.dims == 1 && WithinBounds(array, 0, index)) {
                    index =
                        array.items[static_cast<std::size_t>(index.IntValue() - array.lower[0])];
                    VEK_NEXT();
                }
                std::size_t flat = 0;
                VEK_CHECK(ElementIndex(array, sp - in->b, in->b, flat));
                Variant element = array.items[flat];
                VEK_POP_CLEAR(in->b - 1);
                sp[-1] = std::move(element);
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(LoadLocalElement) {
                VEK_SLOT_ARRAY(array);
                const Variant& first = base[in->c].Deref();
                if (in->b == 1 && array.dims == 1 && WithinBounds(array, 0, first)) {
                    VEK_PUSH(
                        array.items[static_cast<std::size_t>(first.IntValue() - array.lower[0])]);
                    VEK_NEXT();
                }
                const Variant& second = base[in->d].Deref();
                if (in->b == 2 && array.dims == 2 && WithinBounds(array, 0, first) &&
                    WithinBounds(array, 1, second)) {
                    VEK_PUSH(array.items[static_cast<std::size_t>(
                        first.IntValue() - array.lower[0] +
                        (second.IntValue() - array.lower[1]) * array.Extent(0))]);
                    VEK_NEXT();
                }
                const Variant indices[] = {first, second};
                std::size_t flat = 0;
                VEK_CHECK(ElementIndex(array, indices, in->b, flat));
                VEK_PUSH(array.items[flat]);
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(StoreElement)
            VEK_CHECK(StoreIndexed(base[in->a], sp[-2], sp[-1]));
            VEK_POP_CLEAR(2);
            VEK_NEXT();
            VEK_OP(LoadLocalElementPlus) {
                const Variant& holder = base[in->a].Deref();
                std::size_t flat = 0;
                if (!OffsetWithin(holder, base[in->c].Deref(), consts[in->b], flat)) {
                    VEK_CHECK(OffsetElement(holder, base[in->c].Deref(), consts[in->b],
                                            OverflowOf(in->d), flat));
                }
                VEK_PUSH(holder.GetArray()->items[flat]);
                VEK_NEXT();
            }
            VEK_OP(CopyToLocal) {
                // A copy first, as StoreLocal stores what LoadLocal pushed: the value may be a
                // String the conversion changes, or the local itself.
                const Variant& value = base[in->a].Deref();
                const auto type = static_cast<Tag>(in->b);
                if (value.GetTag() == type && value.IsNumeric()) {
                    base[in->d] = value;
                    VEK_NEXT();
                }
                VEK_CHECK(StoreCopy(base[in->d], value, type));
                VEK_NEXT();
            }
            VEK_OP(LoadLocalElementTo) {
                VEK_SLOT_ARRAY(array);
                const Variant& index = base[in->c].Deref();
                const auto type = static_cast<Tag>(in->b);
                std::size_t flat = 0;
                VEK_CHECK(ElementIndex(array, &index, 1, flat));
                // A numeric element into a local of its own kind, which holds nothing shared.
                if (type != Tag::Empty && array.items[flat].GetTag() == type &&
                    array.items[flat].IsNumeric()) {
                    base[in->d] = array.items[flat];
                    VEK_NEXT();
                }
                VEK_CHECK(StoreCopy(base[in->d], array.items[flat], type));
                VEK_NEXT();
            }
            VEK_OP(StoreElementAt)
            VEK_CHECK(StoreIndexed(base[in->a], base[in->c].Deref(), sp[-1]));
            *--sp = Variant();
            VEK_NEXT();
            VEK_OP(StoreElementPlus) {
                Variant& slot = base[in->a];
                Variant& holder = slot.IsRef() ? *slot.Target() : slot;
                std::size_t flat = 0;
                if (!OffsetWithin(holder, base[in->c].Deref(), consts[in->b], flat)) {
                    VEK_CHECK(OffsetElement(holder, base[in->c].Deref(), consts[in->b],
                                            OverflowOf(in->d), flat));
                }
                VEK_CHECK(StoreElementOf(holder, flat, sp[-1]));
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_OP(RefElement) {
                Variant* holder = sp[-in->a - 1].Target();
                if (!holder->IsArray()) {
                    VEK_RAISE(RunError::TypeMismatch);
                }
                std::size_t flat = 0;
                VEK_CHECK(ElementIndex(*holder->GetArray(), sp - in->a, in->a, flat));
                // The element of the variable's own array, which stays put while the call runs.
                ArrayObject* array = nullptr;
                VEK_CHECK(UnshareArray(*holder, array));
                VEK_POP_CLEAR(in->a);
                sp[-1] = Variant::Ref(&array->items[flat], array->elementTag);
                ++array->locks;
                pins_.push_back({sp - 1, array});
                VEK_NEXT();
            }
            VEK_OP(IndexStore) {
                Variant* target = sp[-in->a - 2].Target();
                if (!target->IsArray()) {
                    VEK_RAISE(RunError::TypeMismatch);
                }
                std::size_t flat = 0;
                VEK_CHECK(ElementIndex(*target->GetArray(), sp - in->a - 1, in->a, flat));
                VEK_CHECK(StoreElementOf(*target, flat, sp[-1]));
                VEK_POP_CLEAR(in->a + 2);
                VEK_NEXT();
            }
            VEK_OP(ErrGet)
            if (in->a == 0) {
                VEK_PUSH(Variant::Long(err_.number));
            } else {
                VEK_PUSH(Variant::String(in->a == 1 ? err_.description : err_.source));
            }
            VEK_NEXT();
            VEK_OP(ErrSet) {
                Variant& value = sp[-1];
                if (in->a == 0) {
                    std::int32_t number = 0;
                    VEK_CHECK(ToLong(value, number));
                    err_.number = number;
                    err_.description = number == 0 ? std::string() : RunErrorText(number);
                } else {
                    std::string text;
                    VEK_CHECK(ToText(value, text));
                    (in->a == 1 ? err_.description : err_.source) = text;
                }
                *--sp = Variant();
                VEK_NEXT();
            }
            VEK_OP(ErrRaise) {
                std::int32_t number = 0;
                VEK_CHECK(ToLong(sp[-3], number));
                if (number <= 0 || number > 65535) {
                    VEK_RAISE(RunError::InvalidCall);
                }
                std::string description;
                if (!sp[-1].IsEmpty()) {
                    VEK_CHECK(ToText(sp[-1], description));
                } else {
                    description = RunErrorText(number);
                }
                std::string source;
                VEK_CHECK(ToText(sp[-2], source));
                VEK_POP_CLEAR(3);
                errorNumber = number;
                errorText = std::move(description);
                errorSource = std::move(source);
                goto raise;
            }
            VEK_OP(ErrClear)
            err_ = {};
            VEK_NEXT();
            VEK_OP(OnError)
            frame->errorMode = in->a;
            frame->handlerPc = in->b;
            err_ = {};
            VEK_NEXT();
            VEK_OP(Resume) {
                if (!frame->inHandler) {
                    VEK_RAISE(RunError::ResumeWithoutError);
                }
                const int failed = frame->errorStatement;
                if (in->a == 0) {
                    ip = code +
                         (failed < 0 ? 0 : proc->statements[static_cast<std::size_t>(failed)].pc);
                } else if (in->a == 1) {
                    ip = code + proc->ResumeNextPc(failed);
                } else {
                    ip = code + in->b;
                }
                frame->inHandler = false;
                err_ = {};
                VEK_NEXT();
            }
            VEK_OP(Print) {
                std::string text;
                VEK_CHECK(ToPrintText(sp[-1], text));
                *--sp = Variant();
                std::string& line = printBuffer_[in->a];
                line += text;
                if (in->b == 2) {
                    line.append(ZoneBlanks(line.size()), ' ');
                }
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(PrintSpace) {
                std::int32_t n = 0;
                VEK_CHECK(ToLong(sp[-1], n));
                *--sp = Variant();
                const PrintMoveBlanks move = BlanksOfMove(
                    in->b == 0 ? PrintMove::Tab : PrintMove::Spc, printBuffer_[in->a].size(), n);
                if (move.newLine) {
                    FlushPrint(in->a);
                }
                printBuffer_[in->a].append(move.blanks, ' ');
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(PrintLine)
            VEK_SYNC();
            if (printBuffer_[in->a].empty()) {
                if (print_) {
                    print_(std::string(), in->a == 1);
                }
            } else {
                FlushPrint(in->a);
            }
            VEK_NEXT();
            VEK_OP(Stop) {
                // Pauses with Stop as the current statement; resuming runs past it.
                const int here = static_cast<int>(ip - 1 - code);
                if (!evaluating_ && !(here == stopPassPc_ && resumeDepth_ == frames_.size())) {
                    frame->pc = here;
                    sp_ = sp;
                    PauseHere();
                    pausedByStop_ = true;
                    return;
                }
                stopPassPc_ = -1;
                VEK_NEXT();
            }
            // Rarer instructions last, so that the ones of hot loops keep their places.
            VEK_OP(Like)
            VEK_CHECK(
                ApplyOver(BinaryOp::Like, sp[-2], sp[-1], Overflow::Fails, TextCompare(in->a)));
            *--sp = Variant();
            VEK_NEXT();
            VEK_OP(LoadField) {
                Variant& record = sp[-1];
                if (!record.IsRecord() || record.GetArray()->record->index != in->b) {
                    VEK_RAISE(RunError::TypeMismatch);
                }
                Variant member = record.GetArray()->items[static_cast<std::size_t>(in->a)];
                record = std::move(member);
                VEK_NEXT_DESTROYING();
            }
            VEK_OP(StorePath)
            VEK_OP(RefPath) {
                const AccessPath& path = proc->paths[static_cast<std::size_t>(in->a)];
                const bool store = in->op == Op::StorePath;
                Variant* reference = sp - in->b - (store ? 2 : 1);
                ArrayObject* container = nullptr;
                std::size_t item = 0;
                VEK_CHECK(WalkPath(*reference->Target(), path, reference + 1, container, item));
                if (store) {
                    VEK_CHECK(StoreItem(*container, item, sp[-1], path.kind, path.record));
                    VEK_POP_CLEAR(in->b + 2);
                    VEK_NEXT();
                }
                // As RefElement: the record or array holding the place stays while the call runs.
                VEK_POP_CLEAR(in->b);
                sp[-1] = Variant::Ref(&container->items[item], path.kind);
                ++container->locks;
                pins_.push_back({sp - 1, container});
                VEK_NEXT();
            }
        }
        continue;

#if VEK_THREADED_DISPATCH
        // The stubs of the instructions that start a statement.
#define VEK_BASIC_STATEMENT_STUB(name, operands, effect, doc)                                      \
    statement_##name : if (--budget < 0) {                                                         \
        goto statement;                                                                            \
    }                                                                                              \
    goto op_##name;
        VEK_BASIC_OPCODES(VEK_BASIC_STATEMENT_STUB)
#undef VEK_BASIC_STATEMENT_STUB
#endif

    raise:
        VEK_SYNC();
        if (errorText.empty()) {
            errorText = RunErrorText(errorNumber);
        }
        if (!HandleError(errorNumber, std::move(errorText), std::move(errorSource))) {
            return;
        }
        errorSource.clear();
        VEK_LOAD_FRAME();
    }
#undef VEK_SYNC
#undef VEK_LOAD_FRAME
#undef VEK_ENTER_TOP_FRAME
#undef VEK_RAISE
#undef VEK_CHECK
#undef VEK_POP_CLEAR
#undef VEK_PUSH
#undef VEK_SLOT_ARRAY
#undef VEK_PUSH_REF
#undef VEK_NEXT_DESTROYING
#undef VEK_OP
#undef VEK_NEXT
#undef VEK_DISPATCH
#undef VEK_FALLTHROUGH
}

} // namespace vek::basic
