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

// The orders that make comparison `op` true: bit 0 less, bit 1 equal, bit 2 greater.
inline int OrderMask(BinaryOp op) {
    static constexpr int kMasks[] = {0b010, 0b101, 0b001, 0b011, 0b100, 0b110}; // Eq to Ge
    return kMasks[static_cast<int>(op) - static_cast<int>(BinaryOp::Eq)];
}

// Whether `order` (-1, 0 or 1) is one of the orders of `mask`.
inline bool OrderIn(int mask, int order) {
    return ((mask >> (order + 1)) & 1) != 0;
}

// The general rules of Variant arithmetic, used when the machine's fast paths for two Longs or two
// Doubles do not apply. Integer results that no longer fit widen (Integer to Long to Double)
// instead of wrapping; storing them into a typed variable that cannot hold them raises Overflow.
RunError ApplyBinary(BinaryOp op, const Variant& a, const Variant& b, Variant& out);
RunError ApplyUnary(UnaryOp op, const Variant& a, Variant& out);

// -1, 0 or 1 comparing two values the way the comparison operators do.
RunError CompareValues(const Variant& a, const Variant& b, int& order);

// CompareValues with the common case of two whole numbers inline, for the machine's loop.
inline RunError Order(const Variant& a, const Variant& b, int& order) {
    if (a.IsIntegral() && b.IsIntegral()) {
        order = a.IntValue() < b.IntValue() ? -1 : a.IntValue() > b.IntValue() ? 1 : 0;
        return RunError::None;
    }
    return CompareValues(a, b, order);
}

} // namespace vek::basic
