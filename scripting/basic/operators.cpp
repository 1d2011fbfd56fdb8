#include "scripting/basic/operators.h"

#include "scripting/basic/conversions.h"
#include "scripting/basic/like.h"
#include "scripting/basic/script_memory.h"
#include "scripting/basic/text_util.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace vek::basic {

namespace {

// The kind arithmetic computes a value as: Empty and Boolean as Integer, a String as Double.
// Integer, Long, Single, Double and Date follow each other in Tag in the order in which
// arithmetic widens them. False for values that take no part in arithmetic.
bool RankOf(const Variant& v, Tag& rank) {
    switch (v.GetTag()) {
    case Tag::Empty:
    case Tag::Boolean:
        rank = Tag::Integer;
        return true;
    case Tag::String:
        rank = Tag::Double;
        return true;
    case Tag::Null: // taken before arithmetic
    case Tag::Ref:
    case Tag::Array:
    case Tag::Record:
        return false;
    default:
        rank = v.GetTag();
        return true;
    }
}

// A whole-number result of kind `rank` (Integer or Long).
RunError WholeResult(std::int64_t value, Tag rank, Overflow overflow, Variant& out) {
    return IntegralResult(value, rank == Tag::Integer, overflow, out) ? RunError::None
                                                                      : RunError::Overflow;
}

Variant FloatResult(double value, Tag rank) {
    if (rank == Tag::Single) {
        return Variant::Single(static_cast<float>(value));
    }
    if (rank == Tag::Date) {
        return Variant::Date(value);
    }
    return Variant::Double(value);
}

// Both operands as Doubles: a string that holds no number is error 13, one beyond a Double error 6.
RunError BothDouble(const Variant& a, const Variant& b, double& x, double& y) {
    if (const RunError e = ToDouble(a, x); e != RunError::None) {
        return e;
    }
    return ToDouble(b, y);
}

RunError Arithmetic(BinaryOp op, const Variant& a, const Variant& b, Variant& out,
                    Overflow overflow) {
    Tag ra{};
    Tag rb{};
    if (!RankOf(a, ra) || !RankOf(b, rb)) {
        return RunError::TypeMismatch;
    }
    Tag rank = ra > rb ? ra : rb;
    if (rank == Tag::Single && (ra == Tag::Long || rb == Tag::Long)) {
        rank = Tag::Double;
    }
    if (rank <= Tag::Long && a.GetTag() != Tag::String && b.GetTag() != Tag::String) {
        // Empty carries a zero payload, so it joins integer arithmetic as 0.
        const std::int64_t ia = a.IntValue();
        const std::int64_t ib = b.IntValue();
        switch (op) {
        case BinaryOp::Add:
            return WholeResult(ia + ib, rank, overflow, out);
        case BinaryOp::Sub:
            return WholeResult(ia - ib, rank, overflow, out);
        case BinaryOp::Mul:
            return WholeResult(ia * ib, rank, overflow, out);
        default:
            break;
        }
    }
    double x = 0;
    double y = 0;
    if (const RunError e = BothDouble(a, b, x, y); e != RunError::None) {
        return e;
    }
    if (rank < Tag::Single) {
        rank = Tag::Double;
    }
    switch (op) {
    case BinaryOp::Add:
        out = FloatResult(x + y, rank);
        break;
    case BinaryOp::Sub:
        out = FloatResult(
            x - y, rank == Tag::Date && ra == Tag::Date && rb == Tag::Date ? Tag::Double : rank);
        break;
    case BinaryOp::Mul:
        out = FloatResult(x * y, rank == Tag::Date ? Tag::Double : rank);
        break;
    default:
        return RunError::TypeMismatch;
    }
    return std::isfinite(out.DoubleValue()) ? RunError::None : RunError::Overflow;
}

// Both operands as Longs, for the operators that work on whole numbers.
RunError BothLong(const Variant& a, const Variant& b, std::int32_t& x, std::int32_t& y) {
    if (const RunError e = ToLong(a, x); e != RunError::None) {
        return e;
    }
    return ToLong(b, y);
}

RunError IntegerDivision(BinaryOp op, const Variant& a, const Variant& b, Variant& out,
                         Overflow overflow) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (const RunError e = BothLong(a, b, x, y); e != RunError::None) {
        return e;
    }
    if (y == 0) {
        return RunError::DivisionByZero;
    }
    Tag ra{};
    Tag rb{};
    const bool small = RankOf(a, ra) && RankOf(b, rb) && ra == Tag::Integer && rb == Tag::Integer &&
                       !a.IsString() && !b.IsString();
    const std::int64_t r = op == BinaryOp::IntDiv ? std::int64_t{x} / y : std::int64_t{x} % y;
    return WholeResult(r, small ? Tag::Integer : Tag::Long, overflow, out);
}

RunError Logical(BinaryOp op, const Variant& a, const Variant& b, Variant& out) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (const RunError e = BothLong(a, b, x, y); e != RunError::None) {
        return e;
    }
    const std::int32_t r = BitwiseOf(op, x, y);
    const bool booleans = (a.GetTag() == Tag::Boolean || a.IsEmpty()) &&
                          (b.GetTag() == Tag::Boolean || b.IsEmpty()) &&
                          !(a.IsEmpty() && b.IsEmpty());
    const bool integers = (a.GetTag() <= Tag::Integer) && (b.GetTag() <= Tag::Integer);
    out = booleans ? Variant::Boolean(r != 0) : integers ? Variant::Integer(r) : Variant::Long(r);
    return RunError::None;
}

// An operator with a Null operand, as Visual Basic has it: arithmetic and comparisons give Null,
// & takes Null as "" (Null only when both are), And gives False or 0 when the other operand is
// (every bit off either way), Or gives True or -1 when the other operand is.
RunError NullOperation(BinaryOp op, const Variant& a, const Variant& b, Variant& out) {
    const Variant& other = a.IsNull() ? b : a;
    switch (op) {
    case BinaryOp::Concat:
        if (other.IsNull()) {
            out = Variant::Null();
            return RunError::None;
        }
        return ApplyBinary(op, a.IsNull() ? Variant() : a, b.IsNull() ? Variant() : b, out,
                           Overflow::Fails);
    case BinaryOp::And:
    case BinaryOp::Or: {
        std::int32_t bits = 0;
        if (!other.IsNull()) {
            if (const RunError e = ToLong(other, bits); e != RunError::None) {
                return e;
            }
        }
        const std::int32_t decides = op == BinaryOp::And ? 0 : -1;
        if (!other.IsNull() && bits == decides) {
            out = other.GetTag() == Tag::Boolean ? Variant::Boolean(bits != 0)
                  : other.GetTag() == Tag::Long  ? Variant::Long(bits)
                                                 : Variant::Integer(bits);
            return RunError::None;
        }
        out = Variant::Null();
        return RunError::None;
    }
    case BinaryOp::Imp: {
        // Null Imp b decides when b has every bit on; a Imp Null when a has none.
        const bool nullFirst = a.IsNull();
        std::int32_t bits = 0;
        if (!other.IsNull()) {
            if (const RunError e = ToLong(other, bits); e != RunError::None) {
                return e;
            }
        }
        if (!other.IsNull() && bits == (nullFirst ? -1 : 0)) {
            out = other.GetTag() == Tag::Boolean ? Variant::Boolean(true)
                  : other.GetTag() == Tag::Long  ? Variant::Long(-1)
                                                 : Variant::Integer(-1);
            return RunError::None;
        }
        out = Variant::Null();
        return RunError::None;
    }
    default:
        out = Variant::Null();
        return RunError::None;
    }
}

} // namespace

std::int32_t BitwiseOf(BinaryOp op, std::int32_t x, std::int32_t y) {
    switch (op) {
    case BinaryOp::And:
        return x & y;
    case BinaryOp::Or:
        return x | y;
    case BinaryOp::Eqv:
        return ~(x ^ y);
    case BinaryOp::Imp:
        return ~x | y;
    default:
        return x ^ y;
    }
}

RunError CompareValues(const Variant& a, const Variant& b, int& order, StringCompare compare) {
    if (a.IsContainer() || b.IsContainer()) {
        return RunError::TypeMismatch;
    }
    if (a.IsNull() || b.IsNull()) {
        order = kUnordered;
        return RunError::None;
    }
    if (a.IsString() && b.IsString()) {
        if (compare == StringCompare::Text) {
            order = CompareNoCase(a.StringValue(), b.StringValue());
            return RunError::None;
        }
        const int c = a.StringValue().compare(b.StringValue());
        order = c < 0 ? -1 : c > 0 ? 1 : 0;
        return RunError::None;
    }
    if ((a.IsString() && b.IsEmpty()) || (a.IsEmpty() && b.IsString())) {
        const std::string& text = a.IsString() ? a.StringValue() : b.StringValue();
        order = text.empty() ? 0 : (a.IsString() ? 1 : -1);
        return RunError::None;
    }
    if (a.IsIntegral() && b.IsIntegral()) {
        order = a.IntValue() < b.IntValue() ? -1 : a.IntValue() > b.IntValue() ? 1 : 0;
        return RunError::None;
    }
    double x = 0;
    double y = 0;
    const RunError ea = ToDouble(a, x);
    const RunError eb = ToDouble(b, y);
    if (ea == RunError::Overflow || eb == RunError::Overflow) {
        return RunError::Overflow;
    }
    const bool aNumber = ea == RunError::None;
    const bool bNumber = eb == RunError::None;
    if (!aNumber || !bNumber) {
        // A string that holds no number sorts after every number, as Variants do.
        order = aNumber ? -1 : bNumber ? 1 : 0;
        return RunError::None;
    }
    // A Single beside a Double compares at the Single's precision, as in VBA: a Single of 0.06
    // equals the Double 0.06. A Double beyond the Single's range stays as it is.
    if ((a.GetTag() == Tag::Single && b.GetTag() == Tag::Double) ||
        (a.GetTag() == Tag::Double && b.GetTag() == Tag::Single)) {
        const auto atSingle = [](double v) {
            return std::fabs(v) <= std::numeric_limits<float>::max()
                       ? static_cast<double>(static_cast<float>(v))
                       : v;
        };
        x = atSingle(x);
        y = atSingle(y);
    }
    order = x < y ? -1 : x > y ? 1 : 0;
    return RunError::None;
}

RunError ApplyBinary(BinaryOp op, const Variant& a, const Variant& b, Variant& out,
                     Overflow overflow, StringCompare compare) {
    if (a.IsNull() || b.IsNull()) {
        return NullOperation(op, a, b, out);
    }
    switch (op) {
    case BinaryOp::Add:
        if ((a.IsString() || a.IsEmpty()) && (b.IsString() || b.IsEmpty()) &&
            (a.IsString() || b.IsString())) {
            std::string text;
            ToText(a, text);
            std::string right;
            ToText(b, right);
            if (const RunError e = ReserveString(text.size() + right.size()); e != RunError::None) {
                return e;
            }
            out = Variant::String(text + right);
            return RunError::None;
        }
        return Arithmetic(op, a, b, out, overflow);
    case BinaryOp::Sub:
    case BinaryOp::Mul:
        return Arithmetic(op, a, b, out, overflow);
    case BinaryOp::Div:
    case BinaryOp::Pow: {
        double x = 0;
        double y = 0;
        if (const RunError e = BothDouble(a, b, x, y); e != RunError::None) {
            return e;
        }
        if (op == BinaryOp::Div) {
            if (y == 0) {
                return x == 0 ? RunError::Overflow : RunError::DivisionByZero;
            }
            out = Variant::Double(x / y);
        } else {
            if (x < 0 && y != std::floor(y)) {
                return RunError::InvalidCall;
            }
            out = Variant::Double(std::pow(x, y));
        }
        return std::isfinite(out.DoubleValue()) ? RunError::None : RunError::Overflow;
    }
    case BinaryOp::IntDiv:
    case BinaryOp::Mod:
        return IntegerDivision(op, a, b, out, overflow);
    case BinaryOp::Concat: {
        std::string text;
        std::string right;
        if (ToText(a, text) != RunError::None || ToText(b, right) != RunError::None) {
            return RunError::TypeMismatch;
        }
        if (const RunError e = ReserveString(text.size() + right.size()); e != RunError::None) {
            return e;
        }
        text += right;
        out = Variant::String(std::move(text));
        return RunError::None;
    }
    case BinaryOp::Eq:
    case BinaryOp::Ne:
    case BinaryOp::Lt:
    case BinaryOp::Le:
    case BinaryOp::Gt:
    case BinaryOp::Ge: {
        int order = 0;
        if (const RunError e = CompareValues(a, b, order, compare); e != RunError::None) {
            return e;
        }
        out =
            order == kUnordered ? Variant::Null() : Variant::Boolean(OrderIn(OrderMask(op), order));
        return RunError::None;
    }
    case BinaryOp::And:
    case BinaryOp::Or:
    case BinaryOp::Xor:
    case BinaryOp::Eqv:
    case BinaryOp::Imp:
        return Logical(op, a, b, out);
    case BinaryOp::Like: {
        std::string text;
        std::string pattern;
        if (ToText(a, text) != RunError::None || ToText(b, pattern) != RunError::None) {
            return RunError::TypeMismatch;
        }
        bool matches = false;
        if (const RunError e = MatchLike(text, pattern, compare == StringCompare::Text, matches);
            e != RunError::None) {
            return e;
        }
        out = Variant::Boolean(matches);
        return RunError::None;
    }
    }
    return RunError::TypeMismatch;
}

RunError ApplyUnary(UnaryOp op, const Variant& a, Variant& out, Overflow overflow) {
    if (a.IsNull()) {
        out = Variant::Null();
        return RunError::None;
    }
    if (op == UnaryOp::Not) {
        std::int32_t x = 0;
        if (const RunError e = ToLong(a, x); e != RunError::None) {
            return e;
        }
        out = a.GetTag() == Tag::Boolean                    ? Variant::Boolean(x == 0)
              : (a.GetTag() == Tag::Integer || a.IsEmpty()) ? Variant::Integer(~x)
                                                            : Variant::Long(~x);
        return RunError::None;
    }
    switch (a.GetTag()) {
    case Tag::Empty:
        out = Variant::Integer(0);
        return RunError::None;
    case Tag::Boolean:
    case Tag::Integer:
        return WholeResult(-std::int64_t{a.IntValue()}, Tag::Integer, overflow, out);
    case Tag::Long:
        return WholeResult(-std::int64_t{a.IntValue()}, Tag::Long, overflow, out);
    case Tag::Single:
        out = Variant::Single(static_cast<float>(-a.DoubleValue()));
        return RunError::None;
    case Tag::Date:
        out = Variant::Date(-a.DoubleValue());
        return RunError::None;
    default: {
        double x = 0;
        if (const RunError e = ToDouble(a, x); e != RunError::None) {
            return e;
        }
        out = Variant::Double(-x);
        return RunError::None;
    }
    }
}

} // namespace vek::basic
