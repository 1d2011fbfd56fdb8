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
        out = value.tag() == Tag::Boolean ? Variant::Integer(value.int_value()) : value;
        return RunError::None;
    }
    VEK_BASIC_ARG_DOUBLE(x, value);
    out = value.tag() == Tag::Single ? Variant::Single(static_cast<float>(f(x)))
                                     : Variant::Double(f(x));
    return RunError::None;
}

} // namespace

RunError BuiltinCInt(BuiltinContext&, Variant* args, int, Variant& out) {
    out = args[0];
    return CoerceTo(out, Tag::Integer);
}

RunError BuiltinCLng(BuiltinContext&, Variant* args, int, Variant& out) {
    out = args[0];
    return CoerceTo(out, Tag::Long);
}

RunError BuiltinCSng(BuiltinContext&, Variant* args, int, Variant& out) {
    out = args[0];
    return CoerceTo(out, Tag::Single);
}

RunError BuiltinCDbl(BuiltinContext&, Variant* args, int, Variant& out) {
    out = args[0];
    return CoerceTo(out, Tag::Double);
}

RunError BuiltinCBool(BuiltinContext&, Variant* args, int, Variant& out) {
    out = args[0];
    return CoerceTo(out, Tag::Boolean);
}

RunError BuiltinInt(BuiltinContext&, Variant* args, int, Variant& out) {
    return RoundKeepingKind(
        args[0], [](double x) { return std::floor(x); }, out);
}

RunError BuiltinFix(BuiltinContext&, Variant* args, int, Variant& out) {
    return RoundKeepingKind(
        args[0], [](double x) { return std::trunc(x); }, out);
}

RunError BuiltinAbs(BuiltinContext&, Variant* args, int, Variant& out) {
    const Variant& v = args[0];
    if (v.IsIntegral()) {
        const std::int64_t a = std::llabs(std::int64_t{v.int_value()});
        if (v.tag() == Tag::Long) {
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

RunError BuiltinSqr(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(x, args[0]);
    if (x < 0) {
        return RunError::InvalidCall;
    }
    out = Variant::Double(std::sqrt(x));
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

RunError BuiltinLog(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(x, args[0]);
    if (x <= 0) {
        return RunError::InvalidCall;
    }
    out = Variant::Double(std::log(x));
    return RunError::None;
}

RunError BuiltinSin(BuiltinContext&, Variant* args, int, Variant& out) {
    return MathFunction(
        args[0], [](double x) { return std::sin(x); }, out);
}

RunError BuiltinCos(BuiltinContext&, Variant* args, int, Variant& out) {
    return MathFunction(
        args[0], [](double x) { return std::cos(x); }, out);
}

RunError BuiltinTan(BuiltinContext&, Variant* args, int, Variant& out) {
    return MathFunction(
        args[0], [](double x) { return std::tan(x); }, out);
}

RunError BuiltinAtn(BuiltinContext&, Variant* args, int, Variant& out) {
    return MathFunction(
        args[0], [](double x) { return std::atan(x); }, out);
}

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
    out = Variant::Double(RoundToEven(x * scale) / scale);
    return RunError::None;
}

RunError BuiltinIsNumeric(BuiltinContext&, Variant* args, int, Variant& out) {
    const Variant& v = args[0];
    double ignored = 0;
    out = Variant::Boolean(v.IsEmpty() || v.IsNumeric() ||
                           (v.IsString() && ParseNumber(v.string_value(), ignored)));
    return RunError::None;
}

} // namespace vek::basic
