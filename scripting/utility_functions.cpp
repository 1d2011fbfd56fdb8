#include "scripting/utility_functions.h"

namespace vek {

// The blanks at the ends of the first eight lines belong to the text.
const std::string_view kUtilityFunctions =
    "Function Inc(lValue As Variant) As Variant\r\n"
    "    lValue = lValue + 1                   \r\n"
    "    Inc = lValue                          \r\n"
    "End Function                              \r\n"
    "Function Dec(lValue As Variant) As Variant\r\n"
    "    lValue = lValue - 1                   \r\n"
    "    Dec = lValue                          \r\n"
    "End Function                              \r\n"
    "Function LeftShift(lValue As Variant, Optional lShifts As Long = 1) As Variant\r\n"
    "    If lShifts < 1 Then Err.Raise Number:=99, Description:=\"LeftShift: Can't shift zero "
    "or negativ\"\r\n"
    "    lValue = CLng(lValue) * ( 2 ^ lShifts)\r\n"
    "    LeftShift = lValue\r\n"
    "End Function\r\n"
    "Function RightShift(lValue As Variant, Optional lShifts As Long = 1) As Variant\r\n"
    "    If lShifts < 1 Then Err.Raise Number:=99, Description:=\"RightShift: Can't shift zero "
    "or negativ\"\r\n"
    "    lValue = CLng(lValue) \\ ( 2 ^ lShifts)\r\n"
    "    RightShift = lValue\r\n"
    "End Function\r\n";

} // namespace vek
