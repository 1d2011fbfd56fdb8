#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

namespace vek::basic {

enum class BinaryOp {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Le,
    Gt,
    Ge,
    And,
    Or,
    Xor
};
enum class UnaryOp { Negate, Not };

inline bool IsComparison(BinaryOp op) {
    return op >= BinaryOp::Eq && op <= BinaryOp::Ge;
}

// The general rules of Variant arithmetic, used when the machine's fast paths for two Longs or two
// Doubles do not apply. Integer results that no longer fit widen (Integer to Long to Double)
// instead of wrapping; storing them into a typed variable that cannot hold them raises Overflow.
RunError ApplyBinary(BinaryOp op, const Variant& a, const Variant& b, Variant& out);
RunError ApplyUnary(UnaryOp op, const Variant& a, Variant& out);

// -1, 0 or 1 comparing two values the way the comparison operators do.
RunError CompareValues(const Variant& a, const Variant& b, int& order);

} // namespace vek::basic
