#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vek::basic {

// What built-in functions need from outside the pure value world.
class ScriptFiles;

struct BuiltinContext {
    // The Option statements of the calling module, set before each call (operand c of
    // CallBuiltin): Option Compare Text, Option Base 1.
    static constexpr int kTextCompare = 1;
    static constexpr int kBaseOne = 2;
    int options = 0;
    bool TextCompare() const { return (options & kTextCompare) != 0; }

    // MsgBox(prompt, buttons, title) through the host; returns the button pressed (1 = OK).
    std::function<int(const std::string&, int, const std::string&)> msgBox;
    // InputBox(prompt, title, default) through the host: the text, or nullopt for Cancel.
    std::function<std::optional<std::string>(const std::string&, const std::string&,
                                             const std::string&)>
        inputBox;
    // Set by Wait: the machine ends its slice and resumes after this many milliseconds.
    std::int64_t waitMs = -1;
    std::uint32_t rndSeed = 0x50000;
    double lastRnd = 0;
    ScriptFiles* files = nullptr; // the files the script opened
};

using BuiltinFunction = RunError (*)(BuiltinContext& context, Variant* args, int argc,
                                     Variant& out);

// Built-in functions: name, fewest and most arguments (-1: any number), and the kind of their
// result where it is fixed (Empty: a Variant of any kind). Those that Visual Basic lets Null pass
// through (Len(Null) is Null) are listed in builtins.cpp. A fixed kind makes the result typed:
// CInt(20000) * 2 overflows like an Integer variable, while a Variant result widens.
#define VEK_BASIC_BUILTINS(X)                                                                      \
    X(Len, 1, 1, Empty)                                                                            \
    X(Left, 2, 2, Empty)                                                                           \
    X(Right, 2, 2, Empty)                                                                          \
    X(Mid, 2, 3, Empty)                                                                            \
    X(InStr, 2, 4, Empty)                                                                          \
    X(InStrRev, 2, 4, Empty)                                                                       \
    X(UCase, 1, 1, Empty)                                                                          \
    X(LCase, 1, 1, Empty)                                                                          \
    X(Trim, 1, 1, Empty)                                                                           \
    X(LTrim, 1, 1, Empty)                                                                          \
    X(RTrim, 1, 1, Empty)                                                                          \
    X(Space, 1, 1, Empty)                                                                          \
    X(String, 2, 2, Empty)                                                                         \
    X(Chr, 1, 1, Empty)                                                                            \
    X(Asc, 1, 1, Empty)                                                                            \
    X(Hex, 1, 1, Empty)                                                                            \
    X(Oct, 1, 1, Empty)                                                                            \
    X(Str, 1, 1, Empty)                                                                            \
    X(Val, 1, 1, Empty)                                                                            \
    X(Replace, 3, 6, Empty)                                                                        \
    X(StrComp, 2, 3, Empty)                                                                        \
    X(StrReverse, 1, 1, Empty)                                                                     \
    X(CStr, 1, 1, String)                                                                          \
    X(CInt, 1, 1, Integer)                                                                         \
    X(CLng, 1, 1, Long)                                                                            \
    X(CSng, 1, 1, Single)                                                                          \
    X(CDbl, 1, 1, Double)                                                                          \
    X(CBool, 1, 1, Boolean)                                                                        \
    X(Int, 1, 1, Empty)                                                                            \
    X(Fix, 1, 1, Empty)                                                                            \
    X(Abs, 1, 1, Empty)                                                                            \
    X(Sgn, 1, 1, Empty)                                                                            \
    X(Sqr, 1, 1, Empty)                                                                            \
    X(Exp, 1, 1, Empty)                                                                            \
    X(Log, 1, 1, Empty)                                                                            \
    X(Sin, 1, 1, Empty)                                                                            \
    X(Cos, 1, 1, Empty)                                                                            \
    X(Tan, 1, 1, Empty)                                                                            \
    X(Atn, 1, 1, Empty)                                                                            \
    X(Round, 1, 2, Empty)                                                                          \
    X(Rnd, 0, 1, Empty)                                                                            \
    X(Randomize, 0, 1, Empty)                                                                      \
    X(Timer, 0, 0, Empty)                                                                          \
    X(Now, 0, 0, Empty)                                                                            \
    X(Format, 1, 2, Empty)                                                                         \
    X(IsNumeric, 1, 1, Empty)                                                                      \
    X(IsArray, 1, 1, Empty)                                                                        \
    X(IsEmpty, 1, 1, Empty)                                                                        \
    X(IsNull, 1, 1, Boolean)                                                                       \
    X(TypeName, 1, 1, Empty)                                                                       \
    X(VarType, 1, 1, Empty)                                                                        \
    X(UBound, 1, 2, Empty)                                                                         \
    X(LBound, 1, 2, Empty)                                                                         \
    X(Array, 0, -1, Empty)                                                                         \
    X(Split, 1, 3, Empty)                                                                          \
    X(Join, 1, 2, Empty)                                                                           \
    X(MsgBox, 1, 3, Empty)                                                                         \
    X(InputBox, 1, 7, String)                                                                      \
    X(Wait, 1, 1, Empty)                                                                           \
    X(DoEvents, 0, 0, Integer)                                                                     \
    X(IIf, 3, 3, Empty)                                                                            \
    X(Choose, 2, -1, Empty)                                                                        \
    X(Switch, 2, -1, Empty)                                                                        \
    X(FreeFile, 0, 1, Integer)                                                                     \
    X(Eof, 1, 1, Boolean)                                                                          \
    X(LOF, 1, 1, Long)                                                                             \
    X(FileLen, 1, 1, Long)                                                                         \
    X(Dir, 0, 2, String)                                                                           \
    X(Kill, 1, 1, Empty)                                                                           \
    X(Date, 0, 0, Date)                                                                            \
    X(Time, 0, 0, Date)                                                                            \
    X(DateSerial, 3, 3, Date)                                                                      \
    X(TimeSerial, 3, 3, Date)                                                                      \
    X(DateValue, 1, 1, Date)                                                                       \
    X(TimeValue, 1, 1, Date)                                                                       \
    X(CDate, 1, 1, Date)                                                                           \
    X(IsDate, 1, 1, Boolean)                                                                       \
    X(Year, 1, 1, Integer)                                                                         \
    X(Month, 1, 1, Integer)                                                                        \
    X(Day, 1, 1, Integer)                                                                          \
    X(Hour, 1, 1, Integer)                                                                         \
    X(Minute, 1, 1, Integer)                                                                       \
    X(Second, 1, 1, Integer)                                                                       \
    X(Weekday, 1, 2, Integer)                                                                      \
    X(DateAdd, 3, 3, Date)                                                                         \
    X(DateDiff, 3, 4, Empty)                                                                       \
    VEK_BASIC_FILE_STATEMENTS(X)                                                                   \
    VEK_BASIC_IN_PLACE_STATEMENTS(X)

// The statements that the parser turns into calls of these: their names begin with '#', so that
// no script can call them by name. First those of file input and output.
#define VEK_BASIC_FILE_STATEMENTS(X)                                                               \
    X(OpenFile, 3, 3, Empty)                                                                       \
    X(CloseFile, 0, -1, Empty)                                                                     \
    X(PrintFile, 1, -1, Empty)                                                                     \
    X(WriteFile, 1, -1, Empty)                                                                     \
    X(InputFile, 1, 1, Empty)                                                                      \
    X(LineInputFile, 1, 1, String)

// Then the statements that change a variable in place, compiled as an assignment of the variable
// from its old value. Mid(s, start[, length]) = text: (s, start[, length], text); LSet s = text
// and RSet s = text: (s, text); Erase a: (a, whether a was declared with its bounds), which frees
// a dynamic array and gives a fixed one its first values.
#define VEK_BASIC_IN_PLACE_STATEMENTS(X)                                                           \
    X(MidStatement, 3, 4, String)                                                                  \
    X(LSetStatement, 2, 2, String)                                                                 \
    X(RSetStatement, 2, 2, String)                                                                 \
    X(EraseArray, 2, 2, Empty)

enum class BuiltinId {
#define VEK_BASIC_BUILTIN_ENUM(name, min, max, result) name,
    VEK_BASIC_BUILTINS(VEK_BASIC_BUILTIN_ENUM)
#undef VEK_BASIC_BUILTIN_ENUM
};

struct BuiltinInfo {
    const char* name;
    int minArgs;
    int maxArgs;
    Tag result;
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
    X(vbUseCompareOption, Integer(-1))                                                             \
    X(vbBinaryCompare, Integer(0))                                                                 \
    X(vbTextCompare, Integer(1))                                                                   \
    X(vbNormal, Integer(0))                                                                        \
    X(vbDirectory, Integer(16))                                                                    \
    X(vbUseSystemDayOfWeek, Integer(0))                                                            \
    X(vbSunday, Integer(1))                                                                        \
    X(vbMonday, Integer(2))                                                                        \
    X(vbTuesday, Integer(3))                                                                       \
    X(vbWednesday, Integer(4))                                                                     \
    X(vbThursday, Integer(5))                                                                      \
    X(vbFriday, Integer(6))                                                                        \
    X(vbSaturday, Integer(7))                                                                      \
    X(vbEmpty, Integer(0))                                                                         \
    X(vbNull, Integer(1))                                                                          \
    X(vbInteger, Integer(2))                                                                       \
    X(vbLong, Integer(3))                                                                          \
    X(vbSingle, Integer(4))                                                                        \
    X(vbDouble, Integer(5))                                                                        \
    X(vbDate, Integer(7))                                                                          \
    X(vbString, Integer(8))                                                                        \
    X(vbBoolean, Integer(11))                                                                      \
    X(vbVariant, Integer(12))                                                                      \
    X(vbArray, Integer(8192))                                                                      \
    X(Empty, Empty())                                                                              \
    X(Null, Null())

// The value of a named constant (any case).
bool FindBuiltinConstant(std::string_view name, Variant& value);

#define VEK_BASIC_BUILTIN_DECLARE(name, min, max, result)                                          \
    RunError Builtin##name(BuiltinContext& context, Variant* args, int argc, Variant& out);
VEK_BASIC_BUILTINS(VEK_BASIC_BUILTIN_DECLARE)
#undef VEK_BASIC_BUILTIN_DECLARE

// Format(value, pattern): numeric patterns with 0 # . , % and the named formats.
RunError FormatValue(const Variant& value, const std::string& pattern, std::string& out);

} // namespace vek::basic
