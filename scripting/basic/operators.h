#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstdint>

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
    Xor,
    Eqv,
    Imp,
    Like
};
enum class UnaryOp { Negate, Not };

// And, Or, Xor, Eqv and Imp of two whole numbers, bit by bit.
std::int32_t BitwiseOf(BinaryOp op, std::int32_t x, std::int32_t y);

// How strings compare: by character code (Option Compare Binary, the default), or with case
// ignored (Option Compare Text), which also makes Like ignore case.
enum class StringCompare { Binary, Text };

inline bool IsComparison(BinaryOp op) {
    return op >= BinaryOp::Eq && op <= BinaryOp::Ge;
}

// The orders that make comparison `op` true: bit 0 less, bit 1 equal, bit 2 greater.
inline int OrderMask(BinaryOp op) {
    static constexpr int kMasks[] = {0b010, 0b101, 0b001, 0b011, 0b100, 0b110}; // Eq to Ge
    return kMasks[static_cast<int>(op) - static_cast<int>(BinaryOp::Eq)];
}

// The order of a comparison with Null: neither less, equal nor greater, so no comparison holds
// (a comparison operator gives Null).
inline constexpr int kUnordered = 2;

// Flags the compare-and-jump instructions keep beside an order mask. They leave bit 3 clear, the
// bit OrderIn reads for kUnordered, so that no comparison with Null holds.
inline constexpr int kJumpWhenTrue = 1 << 5;
inline constexpr int kStringsAsText = 1 << 6;

// Whether `order` (-1, 0, 1 or kUnordered) is one of the orders of `mask` (bits 0 to 2; flags
// above bit 3 do not count).
inline bool OrderIn(int mask, int order) {
    return ((mask >> (order + 1)) & 1) != 0;
}

// What a whole-number result does that does not fit its operands' kind (Integer when both are
// Integers, else Long): with typed operands it is error 6, as with variables declared As Integer
// or As Long and with literals; when an operand is a Variant it widens, Integer to Long and Long
// to Double, as Visual Basic promotes a Variant.
enum class Overflow { Fails, Widens };

// The general rules of arithmetic, used when the machine's fast paths for two Longs or two
// Doubles do not apply.
RunError ApplyBinary(BinaryOp op, const Variant& a, const Variant& b, Variant& out,
                     Overflow overflow, StringCompare compare = StringCompare::Binary);
RunError ApplyUnary(UnaryOp op, const Variant& a, Variant& out, Overflow overflow);

// The kind a whole-number result takes (Integer when `bothInteger` fits, else Long), widened or
// failing by `overflow` when it does not fit; false for Overflow error 6.
inline bool IntegralResult(std::int64_t value, bool bothInteger, Overflow overflow, Variant& out) {
    if (bothInteger && value >= -32768 && value <= 32767) {
        out = Variant::Integer(static_cast<std::int32_t>(value));
    } else if ((!bothInteger || overflow == Overflow::Widens) && value >= INT32_MIN &&
               value <= INT32_MAX) {
        out = Variant::Long(static_cast<std::int32_t>(value));
    } else if (overflow == Overflow::Widens) {
        out = Variant::Double(static_cast<double>(value));
    } else {
        return false;
    }
    return true;
}

// -1, 0 or 1 comparing two values the way the comparison operators do; kUnordered with Null.
RunError CompareValues(const Variant& a, const Variant& b, int& order, StringCompare compare);

// CompareValues with the common case of two whole numbers inline, for the machine's loop.
inline RunError Order(const Variant& a, const Variant& b, int& order, StringCompare compare) {
    if (a.IsIntegral() && b.IsIntegral()) {
        order = a.IntValue() < b.IntValue() ? -1 : a.IntValue() > b.IntValue() ? 1 : 0;
        return RunError::None;
    }
    return CompareValues(a, b, order, compare);
}

} // namespace vek::basic
