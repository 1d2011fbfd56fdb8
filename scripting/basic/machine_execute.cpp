// The instruction loop of the machine.
#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/machine.h"
#include "scripting/basic/operators.h"

namespace vek::basic {

namespace {

constexpr std::size_t kPrintZoneWidth = 14; // Print's comma moves to the next zone

bool FitsInteger(std::int64_t v) {
    return v >= -32768 && v <= 32767;
}
bool FitsLong(std::int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}
bool IsIntOrLong(const Variant& v) {
    return v.tag() == Tag::Integer || v.tag() == Tag::Long;
}

Variant IntegralResult(std::int64_t value, bool both_integer) {
    if (both_integer && FitsInteger(value)) {
        return Variant::Integer(static_cast<std::int32_t>(value));
    }
    if (FitsLong(value)) {
        return Variant::Long(static_cast<std::int32_t>(value));
    }
    return Variant::Double(static_cast<double>(value));
}

// The result of a whole-number operation on l and r, written over l: in place when l is a Long
// that still holds it (loop counters), else as the narrowest kind that does. Part of the fast
// paths, so always inlined.
[[gnu::always_inline]] inline void SetIntegral(Variant& l, const Variant& r, std::int64_t value) {
    if (l.tag() == Tag::Long && FitsLong(value)) {
        l.SetInt(static_cast<std::int32_t>(value));
    } else {
        l = IntegralResult(value, l.tag() == Tag::Integer && r.tag() == Tag::Integer);
    }
}

// The general rules of an operator, for operands the fast paths do not take; the result is
// written over l. Kept out of the loop.
RunError ApplyOver(BinaryOp op, Variant& l, const Variant& r) {
    Variant out;
    const RunError e = ApplyBinary(op, l, r, out);
    if (e == RunError::None) {
        l = std::move(out);
    }
    return e;
}

// The operator of an instruction from Add to Xor, which follow the order of BinaryOp.
BinaryOp AsBinary(Op op) {
    return static_cast<BinaryOp>(static_cast<int>(op) - static_cast<int>(Op::Add));
}

RunError Truth(const Variant& v, bool& out) {
    if (v.IsIntegral()) {
        out = v.int_value() != 0;
        return RunError::None;
    }
    return ToBoolean(v, out);
}

// Whether a For counter has passed its limit in the direction of the step.
RunError ForDone(const Variant& counter, const Variant& limit, const Variant& step, bool& done) {
    if (IsIntOrLong(counter) && IsIntOrLong(limit) && IsIntOrLong(step)) {
        done = step.int_value() >= 0 ? counter.int_value() > limit.int_value()
                                     : counter.int_value() < limit.int_value();
        return RunError::None;
    }
    double c = 0;
    double l = 0;
    double s = 0;
    if (ToDouble(counter, c) != RunError::None || ToDouble(limit, l) != RunError::None ||
        ToDouble(step, s) != RunError::None) {
        return RunError::TypeMismatch;
    }
    done = s >= 0 ? c > l : c < l;
    return RunError::None;
}

RunError StoreConverted(Variant& slot, Variant& value, Tag type) {
    if (type != Tag::Empty && value.tag() != type) {
        if (const RunError e = CoerceTo(value, type); e != RunError::None) {
            return e;
        }
    }
    slot = std::move(value);
    return RunError::None;
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
    int error_number = 0;
    std::string error_text;
    std::string error_source;

    // Saves the registers into the frame before anything that may look at frames or the stack.
#define VEK_SYNC() (frame->pc = static_cast<int>(ip - code), sp_ = sp)
#define VEK_LOAD_FRAME()                                                                           \
    do {                                                                                           \
        frame = &frames_.back();                                                                   \
        proc = frame->proc;                                                                        \
        code = proc->code.data();                                                                  \
        consts = proc->constants.data();                                                           \
        ip = code + frame->pc;                                                                     \
        base = frame->base;                                                                        \
        sp = sp_;                                                                                  \
    } while (0)
#define VEK_RAISE(e)                                                                               \
    do {                                                                                           \
        error_number = static_cast<int>(e);                                                        \
        error_text.clear();                                                                        \
        error_source.clear();                                                                      \
        goto raise;                                                                                \
    } while (0)
#define VEK_CHECK(expr)                                                                            \
    do {                                                                                           \
        if (const RunError check_error = (expr); check_error != RunError::None) {                  \
            VEK_RAISE(check_error);                                                                \
        }                                                                                          \
    } while (0)
#define VEK_POP_CLEAR(n)                                                                           \
    do {                                                                                           \
        for (int pop_i = 0; pop_i < (n); ++pop_i) {                                                \
            *--sp = Variant();                                                                     \
        }                                                                                          \
    } while (0)

    for (;;) {
        const Instruction& in = *ip++;
        if (in.starts_statement && --budget < 0) {
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
                UnwindTo(eval_root_);
                return;
            }
        }
        switch (in.op) {
        case Op::PushConst:
            *sp++ = consts[in.a];
            break;
        case Op::Pop:
            *--sp = Variant();
            break;
        case Op::LoadLocal:
            *sp++ = base[in.a];
            break;
        case Op::StoreLocal:
            --sp;
            if (in.b == 0 || sp->tag() == static_cast<Tag>(in.b)) {
                base[in.a] = std::move(*sp);
                break;
            }
            VEK_CHECK(StoreConverted(base[in.a], *sp, static_cast<Tag>(in.b)));
            break;
        case Op::LoadRef: {
            const Variant& slot = base[in.a];
            *sp++ = slot.IsRef() ? *slot.ref() : slot;
            break;
        }
        case Op::StoreRef: {
            --sp;
            Variant& slot = base[in.a];
            if (slot.IsRef()) {
                if (in.b != 0) {
                    VEK_CHECK(CoerceTo(*sp, static_cast<Tag>(in.b)));
                }
                VEK_CHECK(StoreConverted(*slot.ref(), *sp, slot.ref_type()));
            } else {
                VEK_CHECK(StoreConverted(slot, *sp, static_cast<Tag>(in.b)));
            }
            break;
        }
        case Op::LoadGlobal:
            *sp++ = globals_[static_cast<std::size_t>(in.a)];
            break;
        case Op::StoreGlobal:
            --sp;
            VEK_CHECK(StoreConverted(globals_[static_cast<std::size_t>(in.a)], *sp,
                                     static_cast<Tag>(in.b)));
            break;
        case Op::RefLocal: {
            Variant& slot = base[in.a];
            *sp++ = slot.IsRef()
                        ? slot
                        : Variant::Ref(&slot, proc->slots.types[static_cast<std::size_t>(in.a)]);
            break;
        }
        case Op::RefGlobal:
            *sp++ = Variant::Ref(&globals_[static_cast<std::size_t>(in.a)],
                                 program_.globals[static_cast<std::size_t>(in.a)].type);
            break;
        case Op::AppendLocal: {
            Variant& slot = base[in.a];
            Variant& value = sp[-1];
            const auto type = static_cast<Tag>(in.b);
            if (slot.IsString() && (type == Tag::Empty || type == Tag::String)) {
                if (value.IsString()) {
                    if (slot.string_value().size() + value.string_value().size() >
                        kMaxStringLength) {
                        VEK_RAISE(RunError::OutOfStringSpace);
                    }
                    slot.AppendString(value.string_value());
                } else {
                    std::string text;
                    VEK_CHECK(ToText(value, text));
                    if (slot.string_value().size() + text.size() > kMaxStringLength) {
                        VEK_RAISE(RunError::OutOfStringSpace);
                    }
                    slot.AppendString(text);
                }
            } else {
                Variant joined;
                VEK_CHECK(ApplyBinary(BinaryOp::Concat, slot, value, joined));
                VEK_CHECK(StoreConverted(slot, joined, type));
            }
            *--sp = Variant();
            break;
        }
        case Op::Add:
        case Op::Sub: {
            Variant& l = sp[-2];
            const Variant& r = sp[-1];
            if (IsIntOrLong(l) && IsIntOrLong(r)) {
                SetIntegral(l, r,
                            in.op == Op::Add ? std::int64_t{l.int_value()} + r.int_value()
                                             : std::int64_t{l.int_value()} - r.int_value());
            } else if (l.tag() == Tag::Double && r.tag() == Tag::Double) {
                l = Variant::Double(in.op == Op::Add ? l.double_value() + r.double_value()
                                                     : l.double_value() - r.double_value());
            } else {
                VEK_CHECK(ApplyOver(AsBinary(in.op), l, r));
            }
            *--sp = Variant();
            break;
        }
        case Op::Mul: {
            Variant& l = sp[-2];
            const Variant& r = sp[-1];
            if (IsIntOrLong(l) && IsIntOrLong(r)) {
                SetIntegral(l, r, std::int64_t{l.int_value()} * r.int_value());
            } else if (l.tag() == Tag::Double && r.tag() == Tag::Double) {
                l = Variant::Double(l.double_value() * r.double_value());
            } else {
                VEK_CHECK(ApplyOver(BinaryOp::Mul, l, r));
            }
            *--sp = Variant();
            break;
        }
        case Op::IntDiv:
        case Op::Mod: {
            Variant& l = sp[-2];
            const Variant& r = sp[-1];
            if (IsIntOrLong(l) && IsIntOrLong(r) && r.int_value() != 0) {
                const std::int64_t a = l.int_value();
                const std::int64_t b = r.int_value();
                SetIntegral(l, r, in.op == Op::Mod ? a % b : a / b);
            } else {
                VEK_CHECK(ApplyOver(AsBinary(in.op), l, r));
            }
            *--sp = Variant();
            break;
        }
        case Op::Div:
        case Op::Pow:
        case Op::Concat:
        case Op::And:
        case Op::Or:
        case Op::Xor:
            VEK_CHECK(ApplyOver(AsBinary(in.op), sp[-2], sp[-1]));
            *--sp = Variant();
            break;
        case Op::Eq:
        case Op::Ne:
        case Op::Lt:
        case Op::Le:
        case Op::Gt:
        case Op::Ge: {
            Variant& l = sp[-2];
            int order = 0;
            VEK_CHECK(Order(l, sp[-1], order));
            l = Variant::Boolean(OrderIn(OrderMask(AsBinary(in.op)), order));
            *--sp = Variant();
            break;
        }
        // A whole-number operation with a constant right operand; one case per operator so
        // that each keeps its own dispatch.
#define VEK_CONSTANT_OPERATION(name, binary, expression, needs_divisor)                            \
    case Op::name: {                                                                               \
        Variant& l = sp[-1];                                                                       \
        const Variant& r = consts[in.a];                                                           \
        if (IsIntOrLong(l) && IsIntOrLong(r) && (!(needs_divisor) || r.int_value() != 0)) {        \
            const std::int64_t x = l.int_value();                                                  \
            const std::int64_t y = r.int_value();                                                  \
            SetIntegral(l, r, (expression));                                                       \
            break;                                                                                 \
        }                                                                                          \
        VEK_CHECK(ApplyOver(binary, l, r));                                                        \
        break;                                                                                     \
    }
            VEK_CONSTANT_OPERATION(AddConst, BinaryOp::Add, x + y, false)
            VEK_CONSTANT_OPERATION(SubConst, BinaryOp::Sub, x - y, false)
            VEK_CONSTANT_OPERATION(MulConst, BinaryOp::Mul, x * y, false)
            VEK_CONSTANT_OPERATION(IntDivConst, BinaryOp::IntDiv, x / y, true)
            VEK_CONSTANT_OPERATION(ModConst, BinaryOp::Mod, x % y, true)
#undef VEK_CONSTANT_OPERATION
        case Op::Negate:
        case Op::Not: {
            Variant out;
            VEK_CHECK(
                ApplyUnary(in.op == Op::Negate ? UnaryOp::Negate : UnaryOp::Not, sp[-1], out));
            sp[-1] = std::move(out);
            break;
        }
        case Op::CompareConstJump: {
            int order = 0;
            VEK_CHECK(Order(sp[-1], consts[in.c], order));
            *--sp = Variant();
            if (OrderIn(in.b, order) == ((in.b >> 3) != 0)) {
                ip = code + in.a;
            }
            break;
        }
        case Op::Jump:
            ip = code + in.a;
            break;
        case Op::JumpIfFalse:
        case Op::JumpIfTrue: {
            bool truth = false;
            VEK_CHECK(Truth(sp[-1], truth));
            *--sp = Variant();
            if (truth == (in.op == Op::JumpIfTrue)) {
                ip = code + in.a;
            }
            break;
        }
        case Op::CompareJump: {
            int order = 0;
            VEK_CHECK(Order(sp[-2], sp[-1], order));
            VEK_POP_CLEAR(2);
            if (OrderIn(in.b, order) == (in.c != 0)) {
                ip = code + in.a;
            }
            break;
        }
        case Op::ForEnter: {
            bool done = false;
            VEK_CHECK(ForDone(base[in.a], base[in.b], base[in.b + 1], done));
            if (done) {
                ip = code + in.c;
            }
            break;
        }
        case Op::ForStep: {
            Variant& counter = base[in.a];
            const Variant& limit = base[in.b];
            const Variant& step = base[in.b + 1];
            if (counter.tag() == Tag::Long && step.tag() <= Tag::Long && step.IsIntegral() &&
                limit.IsIntegral()) {
                const std::int64_t next = std::int64_t{counter.int_value()} + step.int_value();
                if (FitsLong(next)) {
                    counter.SetInt(static_cast<std::int32_t>(next));
                    if (step.int_value() >= 0 ? next <= limit.int_value()
                                              : next >= limit.int_value()) {
                        ip = code + in.c;
                    }
                    break;
                }
            }
            Variant next;
            VEK_CHECK(ApplyBinary(BinaryOp::Add, counter, step, next));
            VEK_CHECK(
                StoreConverted(counter, next, proc->slots.types[static_cast<std::size_t>(in.a)]));
            bool done = false;
            VEK_CHECK(ForDone(counter, limit, step, done));
            if (!done) {
                ip = code + in.c;
            }
            break;
        }
        case Op::ForCheck: {
            bool done = false;
            VEK_CHECK(ForDone(sp[-1], base[in.a], base[in.a + 1], done));
            *--sp = Variant();
            if (done) {
                ip = code + in.b;
            }
            break;
        }
        case Op::ForEachEnter: {
            Variant& collection = sp[-1];
            if (!collection.IsArray()) {
                VEK_RAISE(RunError::TypeMismatch);
            }
            const bool empty = collection.array()->items.empty();
            base[in.a] = std::move(collection);
            base[in.a + 1] = Variant::Long(0);
            *--sp = Variant();
            if (empty) {
                ip = code + in.b;
            }
            break;
        }
        case Op::ForEachNext: {
            const auto& items = base[in.a].array()->items;
            const std::int32_t position = base[in.a + 1].int_value();
            if (static_cast<std::size_t>(position) >= items.size()) {
                ip = code + in.b;
                break;
            }
            *sp++ = items[static_cast<std::size_t>(position)];
            base[in.a + 1].SetInt(position + 1);
            break;
        }
        case Op::Call: {
            // EnterProcedure, written out here because calls are the hot road of recursion.
            const Procedure& callee = program_.procs[static_cast<std::size_t>(in.a)];
            Variant* const callee_base = sp - in.b;
            Variant* const top = callee_base + callee.slots.init.size();
            if (frames_.size() >= kMaxCallDepth || top + callee.max_stack + 1 > stack_end_) {
                VEK_RAISE(RunError::OutOfStackSpace);
            }
            const Variant* init = callee.slots.init.data();
            for (Variant* slot = sp; slot < top; ++slot) {
                *slot = init[slot - callee_base];
            }
            frame->pc = static_cast<int>(ip - code);
            Frame& next = frames_.emplace_back();
            next.proc = &callee;
            next.base = callee_base;
            next.floor = callee_base;
            frame = &next;
            proc = &callee;
            code = callee.code.data();
            consts = callee.constants.data();
            ip = code;
            base = callee_base;
            sp = top;
            break;
        }
        case Op::CallBuiltin: {
            Variant out;
            const RunError e = BuiltinAt(in.a).function(context_, sp - in.b, in.b, out);
            VEK_POP_CLEAR(in.b);
            *sp++ = std::move(out);
            VEK_CHECK(e);
            if (context_.wait_ms >= 0) {
                const auto ms = context_.wait_ms;
                context_.wait_ms = -1;
                if (!evaluating_ && ms > 0 && wait_) {
                    VEK_SYNC();
                    wait_(static_cast<int>(ms));
                } else if (!evaluating_ && ms > 0) {
                    wake_at_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
                    state_ = RunState::Waiting;
                    VEK_SYNC();
                    return;
                }
            }
            break;
        }
        case Op::CallHost: {
            std::vector<Variant> args(sp - in.b, sp);
            VEK_POP_CLEAR(in.b);
            VEK_SYNC();
            HostCallResult result = (*host_)[static_cast<std::size_t>(in.a)](args);
            *sp++ = std::move(result.value);
            if (result.error_number != 0) {
                error_number = result.error_number;
                error_text = result.error_description;
                goto raise;
            }
            break;
        }
        case Op::CoerceParam: {
            Variant& slot = base[in.a];
            if (slot.tag() != static_cast<Tag>(in.b) && !slot.IsRef()) {
                VEK_CHECK(CoerceTo(slot, static_cast<Tag>(in.b)));
            }
            break;
        }
        case Op::Return: {
            Variant result;
            if (proc->is_watch) {
                result = std::move(*--sp);
            } else if (proc->result_slot >= 0) {
                result = std::move(base[proc->result_slot]);
            }
            if (frame->in_handler) {
                err_ = {};
            }
            const bool eval_root = frame->eval_root;
            for (Variant* s = frame->floor; s < sp; ++s) {
                *s = Variant();
            }
            sp = frame->floor;
            sp_ = sp;
            frames_.pop_back();
            if (eval_root) {
                eval_result_ = std::move(result);
                return;
            }
            if (frames_.empty()) {
                state_ = RunState::Finished;
                return;
            }
            VEK_LOAD_FRAME();
            *sp++ = std::move(result);
            break;
        }
        case Op::EndProgram:
            VEK_SYNC();
            if (evaluating_) {
                eval_error_ = "End cannot run in a watch expression";
                UnwindTo(eval_root_);
                return;
            }
            UnwindTo(0);
            state_ = RunState::Finished;
            return;
        case Op::NewArray: {
            Bounds bounds;
            VEK_CHECK(PopBounds(sp - 2 * in.a, in.a, bounds));
            Variant array;
            VEK_CHECK(NewArray(in.a, bounds.lower, bounds.upper, static_cast<Tag>(in.b), array));
            VEK_POP_CLEAR(2 * in.a);
            *sp++ = std::move(array);
            break;
        }
        case Op::ReDim: {
            Bounds bounds;
            VEK_CHECK(PopBounds(sp - 2 * in.a, in.a, bounds));
            Variant* target = sp[-2 * in.a - 1].ref();
            VEK_CHECK(Redimension(*target, in.a, bounds.lower, bounds.upper, static_cast<Tag>(in.b),
                                  in.c != 0));
            VEK_POP_CLEAR(2 * in.a + 1);
            break;
        }
        case Op::IndexLoad: {
            Variant& array = sp[-in.a - 1];
            if (!array.IsArray()) {
                VEK_RAISE(RunError::TypeMismatch);
            }
            std::size_t flat = 0;
            VEK_CHECK(FlatIndex(*array.array(), sp - in.a, in.a, flat));
            Variant element = array.array()->items[flat];
            VEK_POP_CLEAR(in.a);
            sp[-1] = std::move(element);
            break;
        }
        case Op::LoadElement: {
            const Variant& holder = base[in.a].Deref();
            if (!holder.IsArray()) {
                VEK_RAISE(RunError::TypeMismatch);
            }
            const ArrayObject& array = *holder.array();
            Variant& index = sp[-1];
            if (array.dims == 1 && index.IsIntegral() && index.int_value() >= array.lower[0] &&
                index.int_value() <= array.upper[0]) {
                index = array.items[static_cast<std::size_t>(index.int_value() - array.lower[0])];
                break;
            }
            std::size_t flat = 0;
            VEK_CHECK(FlatIndex(array, sp - 1, 1, flat));
            index = array.items[flat];
            break;
        }
        case Op::LoadLocalElement: {
            const Variant& holder = base[in.a].Deref();
            const Variant& index = base[in.b];
            if (holder.IsArray()) {
                const ArrayObject& array = *holder.array();
                if (array.dims == 1 && index.IsIntegral() && index.int_value() >= array.lower[0] &&
                    index.int_value() <= array.upper[0]) {
                    *sp++ =
                        array.items[static_cast<std::size_t>(index.int_value() - array.lower[0])];
                    break;
                }
                std::size_t flat = 0;
                VEK_CHECK(FlatIndex(array, &index, 1, flat));
                *sp++ = array.items[flat];
                break;
            }
            VEK_RAISE(RunError::TypeMismatch);
        }
        case Op::StoreElement: {
            Variant& slot = base[in.a];
            Variant& holder = slot.IsRef() ? *slot.ref() : slot;
            if (!holder.IsArray()) {
                VEK_RAISE(RunError::TypeMismatch);
            }
            std::size_t flat = 0;
            const Variant& index = sp[-2];
            const ArrayObject& shape = *holder.array();
            if (shape.dims == 1 && index.IsIntegral() && index.int_value() >= shape.lower[0] &&
                index.int_value() <= shape.upper[0]) {
                flat = static_cast<std::size_t>(index.int_value() - shape.lower[0]);
            } else {
                VEK_CHECK(FlatIndex(shape, sp - 2, 1, flat));
            }
            VEK_CHECK(StoreElementValue(*holder.MutableArray(), flat, sp[-1]));
            VEK_POP_CLEAR(2);
            break;
        }
        case Op::IndexStore: {
            Variant* target = sp[-in.a - 2].ref();
            if (!target->IsArray()) {
                VEK_RAISE(RunError::TypeMismatch);
            }
            std::size_t flat = 0;
            VEK_CHECK(FlatIndex(*target->array(), sp - in.a - 1, in.a, flat));
            VEK_CHECK(StoreElementValue(*target->MutableArray(), flat, sp[-1]));
            VEK_POP_CLEAR(in.a + 2);
            break;
        }
        case Op::ErrGet:
            if (in.a == 0) {
                *sp++ = Variant::Long(err_.number);
            } else {
                *sp++ = Variant::String(in.a == 1 ? err_.description : err_.source);
            }
            break;
        case Op::ErrSet: {
            Variant& value = sp[-1];
            if (in.a == 0) {
                std::int32_t number = 0;
                VEK_CHECK(ToLong(value, number));
                err_.number = number;
                err_.description = number == 0 ? std::string() : RunErrorText(number);
            } else {
                std::string text;
                VEK_CHECK(ToText(value, text));
                (in.a == 1 ? err_.description : err_.source) = text;
            }
            *--sp = Variant();
            break;
        }
        case Op::ErrRaise: {
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
            error_number = number;
            error_text = std::move(description);
            error_source = std::move(source);
            goto raise;
        }
        case Op::ErrClear:
            err_ = {};
            break;
        case Op::OnError:
            frame->error_mode = in.a;
            frame->handler_pc = in.b;
            err_ = {};
            break;
        case Op::Resume: {
            if (!frame->in_handler) {
                VEK_RAISE(RunError::ResumeWithoutError);
            }
            const auto& statements = proc->statements;
            const auto failed = static_cast<std::size_t>(frame->error_statement);
            if (in.a == 0) {
                ip = code + statements[failed].pc;
            } else if (in.a == 1) {
                ip = failed + 1 < statements.size() ? code + statements[failed + 1].pc
                                                    : code + proc->code.size() - 1;
            } else {
                ip = code + in.b;
            }
            frame->in_handler = false;
            err_ = {};
            break;
        }
        case Op::Print: {
            std::string text;
            VEK_CHECK(ToText(sp[-1], text));
            *--sp = Variant();
            std::string& line = print_buffer_[in.a];
            line += text;
            if (in.b == 2) {
                line.append(kPrintZoneWidth - line.size() % kPrintZoneWidth, ' ');
            }
            break;
        }
        case Op::PrintLine:
            VEK_SYNC();
            if (print_buffer_[in.a].empty()) {
                if (print_) {
                    print_(std::string(), in.a == 1);
                }
            } else {
                FlushPrint(in.a);
            }
            break;
        case Op::Stop: {
            // Pauses with Stop as the current statement; resuming runs past it.
            const int here = static_cast<int>(ip - 1 - code);
            if (!evaluating_ && !(here == stop_pass_pc_ && resume_depth_ == frames_.size())) {
                frame->pc = here;
                sp_ = sp;
                PauseHere();
                paused_by_stop_ = true;
                return;
            }
            stop_pass_pc_ = -1;
            break;
        }
        }
        continue;

    raise:
        VEK_SYNC();
        if (error_text.empty()) {
            error_text = RunErrorText(error_number);
        }
        if (!HandleError(error_number, std::move(error_text), std::move(error_source))) {
            return;
        }
        error_source.clear();
        VEK_LOAD_FRAME();
    }
#undef VEK_SYNC
#undef VEK_LOAD_FRAME
#undef VEK_RAISE
#undef VEK_CHECK
#undef VEK_POP_CLEAR
}

} // namespace vek::basic
