// Built-in functions that pick one of their arguments. As in Visual Basic every argument is
// evaluated before the choice, also those not chosen (IIf(x <> 0, 1 / x, 0) divides by zero).
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"

#include <cmath>

namespace vek::basic {

RunError BuiltinIIf(BuiltinContext&, Variant* args, int, Variant& out) {
    bool condition = false;
    if (const RunError e = ToCondition(args[0], condition); e != RunError::None) {
        return e;
    }
    out = condition ? args[1] : args[2];
    return RunError::None;
}

// Choose(index, value1, value2, ...): the value at index, counted from 1 and rounded to a whole
// number as the language reference says; an index outside them gives Null.
RunError BuiltinChoose(BuiltinContext&, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(index, args[0]);
    out = Variant::Null();
    const double whole = std::nearbyint(index);
    if (whole >= 1 && whole < argc) {
        out = args[static_cast<int>(whole)];
    }
    return RunError::None;
}

// Switch(condition1, value1, condition2, value2, ...): the value after the first true condition;
// Null when none is.
RunError BuiltinSwitch(BuiltinContext&, Variant* args, int argc, Variant& out) {
    if (argc % 2 != 0) {
        return RunError::InvalidCall;
    }
    out = Variant::Null();
    for (int i = 0; i < argc; i += 2) {
        bool condition = false;
        if (const RunError e = ToCondition(args[i], condition); e != RunError::None) {
            return e;
        }
        if (condition) {
            out = args[i + 1];
            break;
        }
    }
    return RunError::None;
}

// Scripts run in slices, so the program answers between them anyway; DoEvents returns the count
// of open forms, which scripts have none of.
RunError BuiltinDoEvents(BuiltinContext&, Variant*, int, Variant& out) {
    out = Variant::Integer(0);
    return RunError::None;
}

} // namespace vek::basic
