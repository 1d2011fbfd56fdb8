// Built-in functions on arrays and on the kind of a value.
#include "scripting/basic/array_ops.h"
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"
#include "scripting/basic/script_memory.h"

namespace vek::basic {

namespace {

RunError ArrayBound(Variant* args, int argc, bool upper, Variant& out) {
    if (!args[0].IsArray()) {
        return RunError::TypeMismatch;
    }
    const ArrayObject& array = *args[0].GetArray();
    std::int32_t dim = 1;
    if (argc > 1 && ToLong(args[1], dim) != RunError::None) {
        return RunError::TypeMismatch;
    }
    if (dim < 1 || dim > array.dims) {
        return RunError::SubscriptOutOfRange;
    }
    out = Variant::Long(upper ? array.upper[dim - 1] : array.lower[dim - 1]);
    return RunError::None;
}

} // namespace

RunError BuiltinUBound(BuiltinContext&, Variant* args, int argc, Variant& out) {
    return ArrayBound(args, argc, true, out);
}

RunError BuiltinLBound(BuiltinContext&, Variant* args, int argc, Variant& out) {
    return ArrayBound(args, argc, false, out);
}

// Array(...) begins at the calling module's Option Base, as in Visual Basic.
RunError BuiltinEraseArray(BuiltinContext&, Variant* args, int, Variant& out) {
    const Variant& value = args[0].Deref();
    if (!value.IsArray()) {
        return RunError::TypeMismatch;
    }
    const ArrayObject& array = *value.GetArray();
    if (array.locks > 0) {
        return RunError::ArrayLocked;
    }
    bool fixed = false;
    if (const RunError e = ToBoolean(args[1], fixed); e != RunError::None) {
        return e;
    }
    if (fixed && array.dims > 0) {
        return NewArray(array.dims, array.lower, array.upper, array.elementTag, array.record, out);
    }
    out = UnallocatedArray(array.elementTag, array.record);
    return RunError::None;
}

RunError BuiltinArray(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    if (const RunError e = MakeVariantList(std::vector<Variant>(args, args + argc), out);
        e != RunError::None) {
        return e;
    }
    if ((context.options & BuiltinContext::kBaseOne) != 0) {
        ArrayObject& array = *out.GetArray();
        array.lower[0] = 1;
        array.upper[0] = argc;
    }
    return RunError::None;
}

RunError BuiltinSplit(BuiltinContext&, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    std::string delimiter = " ";
    if (argc > 1 && ToText(args[1], delimiter) != RunError::None) {
        return RunError::TypeMismatch;
    }
    std::int32_t limit = -1;
    if (argc > 2 && ToLong(args[2], limit) != RunError::None) {
        return RunError::TypeMismatch;
    }
    std::vector<Variant> parts;
    if (text.empty()) {
        return MakeVariantList({}, out);
    }
    std::size_t from = 0;
    while (!delimiter.empty() &&
           (limit < 0 || static_cast<std::int32_t>(parts.size()) < limit - 1)) {
        const auto at = text.find(delimiter, from);
        if (at == std::string::npos) {
            break;
        }
        parts.push_back(Variant::String(text.substr(from, at - from)));
        from = at + delimiter.size();
        // The parts count as they are made: a long text in tiny parts takes many times its size.
        if (parts.size() >= static_cast<std::size_t>(kMaxArrayElements)) {
            return RunError::OutOfMemory;
        }
        if (const RunError e = CheckScriptMemory(); e != RunError::None) {
            return e;
        }
    }
    if (limit != 0) {
        parts.push_back(Variant::String(text.substr(from)));
    }
    return MakeVariantList(std::move(parts), out);
}

RunError BuiltinJoin(BuiltinContext&, Variant* args, int argc, Variant& out) {
    // A dynamic array never sized has no dimensions yet and joins to "", as in VBA.
    if (!args[0].IsArray() || args[0].GetArray()->dims > 1) {
        return RunError::TypeMismatch;
    }
    std::string delimiter = " ";
    if (argc > 1 && ToText(args[1], delimiter) != RunError::None) {
        return RunError::TypeMismatch;
    }
    std::string result;
    bool first = true;
    for (const Variant& item : args[0].GetArray()->items) {
        VEK_BASIC_ARG_TEXT(text, item);
        if (!first) {
            result += delimiter;
        }
        first = false;
        result += text;
        if (const RunError e = ReserveString(result.size()); e != RunError::None) {
            return e;
        }
    }
    out = Variant::String(std::move(result));
    return RunError::None;
}

RunError BuiltinIsArray(BuiltinContext&, Variant* args, int, Variant& out) {
    out = Variant::Boolean(args[0].IsArray());
    return RunError::None;
}

RunError BuiltinIsEmpty(BuiltinContext&, Variant* args, int, Variant& out) {
    out = Variant::Boolean(args[0].IsEmpty());
    return RunError::None;
}

RunError BuiltinIsNull(BuiltinContext&, Variant* args, int, Variant& out) {
    out = Variant::Boolean(args[0].IsNull());
    return RunError::None;
}

RunError BuiltinTypeName(BuiltinContext&, Variant* args, int, Variant& out) {
    if (args[0].IsArray()) {
        out = Variant::String(ElementTypeName(*args[0].GetArray()) + "()");
    } else if (args[0].IsRecord()) {
        out = Variant::String(ElementTypeName(*args[0].GetArray()));
    } else {
        out = Variant::String(KindOf(args[0].GetTag()).typeName);
    }
    return RunError::None;
}

RunError BuiltinVarType(BuiltinContext&, Variant* args, int, Variant& out) {
    if (args[0].IsArray()) {
        // vbArray plus the kind of the elements, vbVariant for an array without a kind.
        const Tag element = args[0].GetArray()->elementTag;
        out = Variant::Integer(8192 + KindOf(element == Tag::Empty ? Tag::Array : element).varType);
    } else {
        out = Variant::Integer(KindOf(args[0].GetTag()).varType);
    }
    return RunError::None;
}

} // namespace vek::basic
