#include "scripting/basic/builtins.h"

#include "scripting/basic/text_util.h"

#include <unordered_map>

namespace vek::basic {

namespace {

constexpr bool IsFileStatement(std::string_view name) {
#define VEK_BASIC_FILE_STATEMENT_NAME(statement, min, max, result)                                 \
    if (name == #statement) {                                                                      \
        return true;                                                                               \
    }
    VEK_BASIC_FILE_STATEMENTS(VEK_BASIC_FILE_STATEMENT_NAME)
#undef VEK_BASIC_FILE_STATEMENT_NAME
    return false;
}

const BuiltinInfo kBuiltins[] = {
#define VEK_BASIC_BUILTIN_ENTRY(name, min, max, result)                                            \
    {IsFileStatement(#name) ? "#" #name : #name, min, max, Tag::result, &Builtin##name},
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
