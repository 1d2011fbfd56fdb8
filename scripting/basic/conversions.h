#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vek::basic {

// Conversions between the kinds of a Variant, with the rules of Visual Basic: numbers round to
// even when made integral, strings convert when they hold a number, Empty is 0 or "".

// Whole text (blanks around allowed) as a number: decimal, exponent, &H and &O forms. Error 13
// when the text is no number, error 6 when it is one beyond the range of a Double (1E999): no
// infinity or NaN ever becomes a value.
RunError ParseNumber(std::string_view text, double& out);
// Val(): the longest leading number, 0 when there is none; error 6 as above.
RunError LeadingNumber(std::string_view text, double& out);

// Each conversion of Null is error 94, "Invalid use of Null".
RunError ToDouble(const Variant& v, double& out);
RunError ToLong(const Variant& v, std::int32_t& out);
RunError ToInteger(const Variant& v, std::int32_t& out);
RunError ToBoolean(const Variant& v, bool& out);
RunError ToText(const Variant& v, std::string& out);
// The text Print writes: as ToText, "Null" for Null, and a number with a blank before it (where a
// minus sign would stand) and one after it.
RunError ToPrintText(const Variant& v, std::string& out);
// The truth of an If, Do or While condition and of IIf and Switch: Null counts as False.
RunError ToCondition(const Variant& v, bool& out);

// Converts v in place to the declared kind of a typed variable (Empty tag means Variant).
RunError CoerceTo(Variant& v, Tag tag);
// The initial value of a variable declared with that kind: Empty converted to it.
Variant DefaultValue(Tag tag);

// Text of a number the way CStr shows it: up to 15 (Double) or 7 (Single) significant digits.
std::string FormatDouble(double value, int significantDigits);

// Round half to even, the rounding of CInt, CLng and of integer division operands.
double RoundToEven(double value);

} // namespace vek::basic
