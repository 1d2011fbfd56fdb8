// Built-in conversion and arithmetic functions.
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"

#include <cmath>

namespace vek::basic {

namespace {

RunError MathFunction(const Variant& value, double (*f)(double), Variant& out) {
    VEK_BASIC_ARG_DOUBLE(x, value);
    const double r = f(x);
    if (!std::isfinite(r)) {
        return RunError::InvalidCall;
    }
    out = Variant::Double(r);
    return RunError::None;
}

// Int and Fix keep integral kinds as they are and round the others towards -inf or zero.
RunError RoundKeepingKind(const Variant& value, double (*f)(double), Variant& out) {
    if (value.IsIntegral()) {
        out = value.GetTag() == Tag::Boolean ? Variant::Integer(value.IntValue()) : value;
        return RunError::None;
    }
    VEK_BASIC_ARG_DOUBLE(x, value);
    out = value.GetTag() == Tag::Single ? Variant::Single(static_cast<float>(f(x)))
                                        : Variant::Double(f(x));
    return RunError::None;
}

} // namespace

// CInt, CLng, CSng, CDbl, CBool: the value converted as a variable of that kind converts it.
#define VEK_BASIC_CONVERSION(name, kind)                                                           \
    RunError Builtin##name(BuiltinContext&, Variant* args, int, Variant& out) {                    \
        out = args[0];                                                                             \
        return CoerceTo(out, Tag::kind);                                                           \
    }
VEK_BASIC_CONVERSION(CInt, Integer)
VEK_BASIC_CONVERSION(CLng, Long)
VEK_BASIC_CONVERSION(CSng, Single)
VEK_BASIC_CONVERSION(CDbl, Double)
VEK_BASIC_CONVERSION(CBool, Boolean)
#undef VEK_BASIC_CONVERSION

RunError BuiltinAbs(BuiltinContext&, Variant* args, int, Variant& out) {
    const Variant& v = args[0];
    if (v.IsIntegral()) {
        const std::int64_t a = std::llabs(std::int64_t{v.IntValue()});
        if (v.GetTag() == Tag::Long) {
            out = a > INT32_MAX ? Variant::Double(static_cast<double>(a))
                                : Variant::Long(static_cast<std::int32_t>(a));
        } else {
            out = a > 32767 ? Variant::Long(static_cast<std::int32_t>(a))
                            : Variant::Integer(static_cast<std::int32_t>(a));
        }
        return RunError::None;
    }
    return RoundKeepingKind(
        v, [](double x) { return std::fabs(x); }, out);
}

RunError BuiltinSgn(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(x, args[0]);
    out = Variant::Integer(x > 0 ? 1 : x < 0 ? -1 : 0);
    return RunError::None;
}

RunError BuiltinExp(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(x, args[0]);
    const double r = std::exp(x);
    if (!std::isfinite(r)) {
        return RunError::Overflow;
    }
    out = Variant::Double(r);
    return RunError::None;
}

// A function of one number: Int rounds towards -inf and Fix towards zero, keeping the kind; the
// others give a Double, or error 5 where they have no finite value (Sqr of a negative number,
// Log of 0).
#define VEK_BASIC_NUMBER_FUNCTION(name, apply, function)                                           \
    RunError Builtin##name(BuiltinContext&, Variant* args, int, Variant& out) {                    \
        return apply(                                                                              \
            args[0], [](double x) { return function(x); }, out);                                   \
    }
VEK_BASIC_NUMBER_FUNCTION(Int, RoundKeepingKind, std::floor)
VEK_BASIC_NUMBER_FUNCTION(Fix, RoundKeepingKind, std::trunc)
VEK_BASIC_NUMBER_FUNCTION(Sqr, MathFunction, std::sqrt)
VEK_BASIC_NUMBER_FUNCTION(Log, MathFunction, std::log)
VEK_BASIC_NUMBER_FUNCTION(Sin, MathFunction, std::sin)
VEK_BASIC_NUMBER_FUNCTION(Cos, MathFunction, std::cos)
VEK_BASIC_NUMBER_FUNCTION(Tan, MathFunction, std::tan)
VEK_BASIC_NUMBER_FUNCTION(Atn, MathFunction, std::atan)
#undef VEK_BASIC_NUMBER_FUNCTION

RunError BuiltinRound(BuiltinContext&, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(x, args[0]);
    std::int32_t places = 0;
    if (argc > 1 && ToLong(args[1], places) != RunError::None) {
        return RunError::TypeMismatch;
    }
    if (places < 0 || places > 22) {
        return RunError::InvalidCall;
    }
    if (places == 0 && args[0].IsIntegral()) {
        out = args[0];
        return RunError::None;
    }
    const double scale = std::pow(10.0, places);
    // A number so large that scaling overflows has no digits at that place to round.
    const double scaled = x * scale;
    out = Variant::Double(std::isfinite(scaled) ? RoundToEven(scaled) / scale : x);
    return RunError::None;
}

RunError BuiltinIsNumeric(BuiltinContext&, Variant* args, int, Variant& out) {
    const Variant& v = args[0];
    double ignored = 0;
    out =
        Variant::Boolean(v.IsEmpty() || v.IsNumeric() ||
                         (v.IsString() && ParseNumber(v.StringValue(), ignored) == RunError::None));
    return RunError::None;
}

} // namespace vek::basic
