#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vek::basic {

// What built-in functions need from outside the pure value world.
struct BuiltinContext {
    // MsgBox(prompt, buttons, title) through the host; returns the button pressed (1 = OK).
    std::function<int(const std::string&, int, const std::string&)> msgBox;
    // Set by Wait: the machine ends its slice and resumes after this many milliseconds.
    std::int64_t waitMs = -1;
    std::uint32_t rndSeed = 0x50000;
    double lastRnd = 0;
};

using BuiltinFunction = RunError (*)(BuiltinContext& context, Variant* args, int argc,
                                     Variant& out);

// Built-in functions: name, fewest and most arguments (-1: any number).
#define VEK_BASIC_BUILTINS(X)                                                                      \
    X(Len, 1, 1)                                                                                   \
    X(Left, 2, 2)                                                                                  \
    X(Right, 2, 2)                                                                                 \
    X(Mid, 2, 3)                                                                                   \
    X(InStr, 2, 3)                                                                                 \
    X(InStrRev, 2, 3)                                                                              \
    X(UCase, 1, 1)                                                                                 \
    X(LCase, 1, 1)                                                                                 \
    X(Trim, 1, 1)                                                                                  \
    X(LTrim, 1, 1)                                                                                 \
    X(RTrim, 1, 1)                                                                                 \
    X(Space, 1, 1)                                                                                 \
    X(String, 2, 2)                                                                                \
    X(Chr, 1, 1)                                                                                   \
    X(Asc, 1, 1)                                                                                   \
    X(Hex, 1, 1)                                                                                   \
    X(Oct, 1, 1)                                                                                   \
    X(Str, 1, 1)                                                                                   \
    X(Val, 1, 1)                                                                                   \
    X(Replace, 3, 3)                                                                               \
    X(StrComp, 2, 2)                                                                               \
    X(StrReverse, 1, 1)                                                                            \
    X(CStr, 1, 1)                                                                                  \
    X(CInt, 1, 1)                                                                                  \
    X(CLng, 1, 1)                                                                                  \
    X(CSng, 1, 1)                                                                                  \
    X(CDbl, 1, 1)                                                                                  \
    X(CBool, 1, 1)                                                                                 \
    X(Int, 1, 1)                                                                                   \
    X(Fix, 1, 1)                                                                                   \
    X(Abs, 1, 1)                                                                                   \
    X(Sgn, 1, 1)                                                                                   \
    X(Sqr, 1, 1)                                                                                   \
    X(Exp, 1, 1)                                                                                   \
    X(Log, 1, 1)                                                                                   \
    X(Sin, 1, 1)                                                                                   \
    X(Cos, 1, 1)                                                                                   \
    X(Tan, 1, 1)                                                                                   \
    X(Atn, 1, 1)                                                                                   \
    X(Round, 1, 2)                                                                                 \
    X(Rnd, 0, 1)                                                                                   \
    X(Randomize, 0, 1)                                                                             \
    X(Timer, 0, 0)                                                                                 \
    X(Now, 0, 0)                                                                                   \
    X(Format, 1, 2)                                                                                \
    X(IsNumeric, 1, 1)                                                                             \
    X(IsArray, 1, 1)                                                                               \
    X(IsEmpty, 1, 1)                                                                               \
    X(TypeName, 1, 1)                                                                              \
    X(VarType, 1, 1)                                                                               \
    X(UBound, 1, 2)                                                                                \
    X(LBound, 1, 2)                                                                                \
    X(Array, 0, -1)                                                                                \
    X(Split, 1, 3)                                                                                 \
    X(Join, 1, 2)                                                                                  \
    X(MsgBox, 1, 3)                                                                                \
    X(Wait, 1, 1)

enum class BuiltinId {
#define VEK_BASIC_BUILTIN_ENUM(name, min, max) name,
    VEK_BASIC_BUILTINS(VEK_BASIC_BUILTIN_ENUM)
#undef VEK_BASIC_BUILTIN_ENUM
};

struct BuiltinInfo {
    const char* name;
    int minArgs;
    int maxArgs;
    BuiltinFunction function;
};

// The built-in function of that name (any case), or nullptr. Type suffixes are already removed,
// so Left$ finds Left.
const BuiltinInfo* FindBuiltin(std::string_view name, int& id);
const BuiltinInfo& BuiltinAt(int id);

// Named constants every script knows: name and value.
#define VEK_BASIC_CONSTANTS(X)                                                                     \
    X(vbCrLf, String("\r\n"))                                                                      \
    X(vbNewLine, String("\r\n"))                                                                   \
    X(vbCr, String("\r"))                                                                          \
    X(vbLf, String("\n"))                                                                          \
    X(vbTab, String("\t"))                                                                         \
    X(vbNullString, String(""))                                                                    \
    X(vbOKOnly, Integer(0))                                                                        \
    X(vbOKCancel, Integer(1))                                                                      \
    X(vbYesNoCancel, Integer(3))                                                                   \
    X(vbYesNo, Integer(4))                                                                         \
    X(vbCritical, Integer(16))                                                                     \
    X(vbQuestion, Integer(32))                                                                     \
    X(vbExclamation, Integer(48))                                                                  \
    X(vbInformation, Integer(64))                                                                  \
    X(vbOK, Integer(1))                                                                            \
    X(vbCancel, Integer(2))                                                                        \
    X(vbYes, Integer(6))                                                                           \
    X(vbNo, Integer(7))                                                                            \
    X(Empty, Empty())

// The value of a named constant (any case).
bool FindBuiltinConstant(std::string_view name, Variant& value);

#define VEK_BASIC_BUILTIN_DECLARE(name, min, max)                                                  \
    RunError Builtin##name(BuiltinContext& context, Variant* args, int argc, Variant& out);
VEK_BASIC_BUILTINS(VEK_BASIC_BUILTIN_DECLARE)
#undef VEK_BASIC_BUILTIN_DECLARE

// Format(value, pattern): numeric patterns with 0 # . , % and the named formats.
RunError FormatValue(const Variant& value, const std::string& pattern, std::string& out);

} // namespace vek::basic
