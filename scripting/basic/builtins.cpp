#include "scripting/basic/builtins.h"

#include "scripting/basic/text_util.h"

#include <unordered_map>

namespace vek::basic {

namespace {

const BuiltinInfo kBuiltins[] = {
#define VEK_BASIC_BUILTIN_ENTRY(name, min, max) {#name, min, max, &Builtin##name},
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
        {"vbcrlf", Variant::String("\r\n")},
        {"vbnewline", Variant::String("\r\n")},
        {"vbcr", Variant::String("\r")},
        {"vblf", Variant::String("\n")},
        {"vbtab", Variant::String("\t")},
        {"vbnullstring", Variant::String("")},
        {"vbokonly", Variant::Integer(0)},
        {"vbokcancel", Variant::Integer(1)},
        {"vbyesnocancel", Variant::Integer(3)},
        {"vbyesno", Variant::Integer(4)},
        {"vbcritical", Variant::Integer(16)},
        {"vbquestion", Variant::Integer(32)},
        {"vbexclamation", Variant::Integer(48)},
        {"vbinformation", Variant::Integer(64)},
        {"vbok", Variant::Integer(1)},
        {"vbcancel", Variant::Integer(2)},
        {"vbyes", Variant::Integer(6)},
        {"vbno", Variant::Integer(7)},
        {"empty", Variant()},
    };
    const auto it = constants.find(Lower(name));
    if (it == constants.end()) {
        return false;
    }
    value = it->second;
    return true;
}

} // namespace vek::basic
