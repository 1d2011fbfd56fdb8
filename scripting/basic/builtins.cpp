#include "scripting/basic/builtins.h"

#include "scripting/basic/text_util.h"

#include <unordered_map>

namespace vek::basic {

namespace {

constexpr bool IsStatement(std::string_view name) {
#define VEK_BASIC_STATEMENT_NAME(statement, min, max, result)                                      \
    if (name == #statement) {                                                                      \
        return true;                                                                               \
    }
    VEK_BASIC_FILE_STATEMENTS(VEK_BASIC_STATEMENT_NAME)
    VEK_BASIC_IN_PLACE_STATEMENTS(VEK_BASIC_STATEMENT_NAME)
#undef VEK_BASIC_STATEMENT_NAME
    return false;
}

// The functions whose result is Null when their first argument is (their text or number), as in
// Visual Basic; every other function takes Null as a value it cannot use (error 94).
constexpr std::string_view kNullPassing[] = {
    "Len",   "Left",     "Right", "Mid",  "UCase",  "LCase",  "Trim",   "LTrim",
    "RTrim", "InStrRev", "Hex",   "Oct",  "Str",    "Int",    "Fix",    "Abs",
    "Year",  "Month",    "Day",   "Hour", "Minute", "Second", "Weekday"};

constexpr bool PassesNull(std::string_view name) {
    for (std::string_view passing : kNullPassing) {
        if (name == passing) {
            return true;
        }
    }
    return false;
}

template <BuiltinFunction function>
RunError NullPassing(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    if (args[0].IsNull()) {
        out = Variant::Null();
        return RunError::None;
    }
    return function(context, args, argc, out);
}

const BuiltinInfo kBuiltins[] = {
#define VEK_BASIC_BUILTIN_ENTRY(name, min, max, result)                                            \
    {IsStatement(#name) ? "#" #name : #name, min, max, Tag::result,                                \
     PassesNull(#name) ? &NullPassing<&Builtin##name> : &Builtin##name},
    VEK_BASIC_BUILTINS(VEK_BASIC_BUILTIN_ENTRY)
#undef VEK_BASIC_BUILTIN_ENTRY
};

} // namespace

const BuiltinInfo* FindBuiltin(std::string_view name, int& id) {
    static const std::unordered_map<std::string, int> index = [] {
        std::unordered_map<std::string, int> map;
        for (int i = 0; i < static_cast<int>(std::size(kBuiltins)); ++i) {
            map[Lower(kBuiltins[i].name)] = i;
        }
        return map;
    }();
    const auto it = index.find(Lower(name));
    if (it == index.end()) {
        return nullptr;
    }
    id = it->second;
    return &kBuiltins[id];
}

const BuiltinInfo& BuiltinAt(int id) {
    return kBuiltins[id];
}

bool FindBuiltinConstant(std::string_view name, Variant& value) {
    static const std::unordered_map<std::string, Variant> constants = {
#define VEK_BASIC_CONSTANT_ENTRY(name, value) {Lower(#name), Variant::value},
        VEK_BASIC_CONSTANTS(VEK_BASIC_CONSTANT_ENTRY)
#undef VEK_BASIC_CONSTANT_ENTRY
    };
    const auto it = constants.find(Lower(name));
    if (it == constants.end()) {
        return false;
    }
    value = it->second;
    return true;
}

} // namespace vek::basic
