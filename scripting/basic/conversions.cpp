#include "scripting/basic/conversions.h"

#include "scripting/basic/dates.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vek::basic {

namespace {

bool ParseRadix(std::string_view text, std::size_t& pos, double& out) {
    if (pos + 1 >= text.size() || text[pos] != '&') {
        return false;
    }
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos + 1])));
    const int radix = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (radix == 0) {
        return false;
    }
    std::size_t p = pos + 2;
    std::uint64_t value = 0;
    int digits = 0;
    while (p < text.size()) {
        const int c = std::toupper(static_cast<unsigned char>(text[p]));
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = (value * radix + digit) & 0xFFFFFFFFull;
        ++digits;
        ++p;
    }
    if (digits == 0) {
        return false;
    }
    out = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    pos = p;
    return true;
}

// Decimal number at pos: digits, optional fraction, optional exponent.
bool ParseDecimal(std::string_view text, std::size_t& pos, double& out) {
    std::size_t p = pos;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        ++p;
    }
    const std::size_t digitsStart = p;
    while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p]))) {
        ++p;
    }
    if (p < text.size() && text[p] == '.') {
        ++p;
        while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p]))) {
            ++p;
        }
    }
    if (p == digitsStart || (p == digitsStart + 1 && text[digitsStart] == '.')) {
        return false;
    }
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < text.size() && (text[q] == '+' || text[q] == '-')) {
            ++q;
        }
        if (q < text.size() && std::isdigit(static_cast<unsigned char>(text[q]))) {
            while (q < text.size() && std::isdigit(static_cast<unsigned char>(text[q]))) {
                ++q;
            }
            p = q;
        }
    }
    const std::string copy(text.substr(pos, p - pos));
    out = std::strtod(copy.c_str(), nullptr);
    pos = p;
    return true;
}

// A number read from text, or error 6 when it lies beyond a Double (strtod gave an infinity).
RunError FiniteNumber(double value) {
    return std::isfinite(value) ? RunError::None : RunError::Overflow;
}

} // namespace

RunError ParseNumber(std::string_view text, double& out) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && text[pos] == '-' && pos + 1 < text.size() && text[pos + 1] == '&') {
        negative = true;
        ++pos;
    }
    if (!ParseRadix(text, pos, out) && !ParseDecimal(text, pos, out)) {
        return RunError::TypeMismatch;
    }
    if (negative) {
        out = -out;
    }
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    return pos == text.size() ? FiniteNumber(out) : RunError::TypeMismatch;
}

RunError LeadingNumber(std::string_view text, double& out) {
    // Val ignores blanks anywhere in the number.
    std::string packed;
    for (char c : text) {
        if (c != ' ' && c != '\t') {
            packed.push_back(c);
        }
    }
    std::size_t pos = 0;
    out = 0;
    if (ParseRadix(packed, pos, out) || ParseDecimal(packed, pos, out)) {
        return FiniteNumber(out);
    }
    out = 0;
    return RunError::None;
}

double RoundToEven(double value) {
    return std::nearbyint(value);
}

std::string FormatDouble(double value, int significantDigits) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Inf" : "-Inf";
    }
    if (value == 0) {
        value = 0; // no "-0"
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    std::string text(buffer);
    // Visual Basic writes exponents without leading zeros: 1E+20, 1E-05 stays as C gives it.
    const auto e = text.find('E');
    if (e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        if (mantissa.find('.') != std::string::npos) {
            while (!mantissa.empty() && mantissa.back() == '0') {
                mantissa.pop_back();
            }
            if (!mantissa.empty() && mantissa.back() == '.') {
                mantissa.pop_back();
            }
        }
        text = mantissa + text.substr(e);
    }
    return text;
}

RunError ToDouble(const Variant& v, double& out) {
    switch (v.GetTag()) {
    case Tag::Empty:
        out = 0;
        return RunError::None;
    case Tag::Null:
        return RunError::InvalidUseOfNull;
    case Tag::Boolean:
    case Tag::Integer:
    case Tag::Long:
        out = v.IntValue();
        return RunError::None;
    case Tag::Single:
    case Tag::Double:
    case Tag::Date:
        out = v.DoubleValue();
        return RunError::None;
    case Tag::String:
        if (const RunError e = ParseNumber(v.StringValue(), out); e != RunError::TypeMismatch) {
            return e;
        }
        if (bool b = false; ToBoolean(v, b) == RunError::None) {
            // "True" and "False" convert as the Boolean they name.
            out = b ? -1 : 0;
            return RunError::None;
        }
        return RunError::TypeMismatch;
    case Tag::Ref:
        return ToDouble(v.Deref(), out);
    default: // an array or a record
        return RunError::TypeMismatch;
    }
}

namespace {

RunError RoundedInRange(const Variant& v, double low, double high, std::int32_t& out) {
    if (v.IsIntegral()) {
        out = v.IntValue();
        return out < low || out > high ? RunError::Overflow : RunError::None;
    }
    double d = 0;
    if (const RunError e = ToDouble(v, d); e != RunError::None) {
        return e;
    }
    d = RoundToEven(d);
    if (!(d >= low && d <= high)) {
        return RunError::Overflow;
    }
    out = static_cast<std::int32_t>(d);
    return RunError::None;
}

} // namespace

RunError ToLong(const Variant& v, std::int32_t& out) {
    return RoundedInRange(v, -2147483648.0, 2147483647.0, out);
}

RunError ToInteger(const Variant& v, std::int32_t& out) {
    return RoundedInRange(v, -32768.0, 32767.0, out);
}

RunError ToBoolean(const Variant& v, bool& out) {
    const Variant& d = v.Deref();
    if (d.IsNull()) {
        return RunError::InvalidUseOfNull;
    }
    if (d.IsString()) {
        std::string lower;
        for (char c : d.StringValue()) {
            if (c != ' ') {
                lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
            }
        }
        if (lower == "true") {
            out = true;
            return RunError::None;
        }
        if (lower == "false") {
            out = false;
            return RunError::None;
        }
        double number = 0;
        if (const RunError e = ParseNumber(d.StringValue(), number); e != RunError::None) {
            return e;
        }
        out = number != 0;
        return RunError::None;
    }
    if (d.IsIntegral()) {
        out = d.IntValue() != 0;
        return RunError::None;
    }
    double number = 0;
    if (const RunError e = ToDouble(d, number); e != RunError::None) {
        return e;
    }
    out = number != 0;
    return RunError::None;
}

RunError ToText(const Variant& v, std::string& out) {
    switch (v.GetTag()) {
    case Tag::Empty:
        out.clear();
        return RunError::None;
    case Tag::Null:
        return RunError::InvalidUseOfNull;
    case Tag::Boolean:
        out = v.IntValue() != 0 ? "True" : "False";
        return RunError::None;
    case Tag::Integer:
    case Tag::Long:
        out = std::to_string(v.IntValue());
        return RunError::None;
    case Tag::Single:
        out = FormatDouble(v.DoubleValue(), 7);
        return RunError::None;
    case Tag::Double:
        out = FormatDouble(v.DoubleValue(), 15);
        return RunError::None;
    case Tag::Date:
        out = DateText(v.DoubleValue());
        return RunError::None;
    case Tag::String:
        out = v.StringValue();
        return RunError::None;
    case Tag::Ref:
        return ToText(v.Deref(), out);
    default: // an array or a record
        return RunError::TypeMismatch;
    }
}

RunError ToPrintText(const Variant& v, std::string& out) {
    const Tag tag = v.Deref().GetTag();
    if (tag == Tag::Null) {
        out = "Null";
        return RunError::None;
    }
    if (const RunError e = ToText(v, out); e != RunError::None) {
        return e;
    }
    // A number has the place of its sign before it, blank when it is not negative, and one blank
    // after it, as VB's Print writes numbers.
    if (tag >= Tag::Integer && tag <= Tag::Double) {
        if (out.empty() || out.front() != '-') {
            out.insert(out.begin(), ' ');
        }
        out += ' ';
    }
    return RunError::None;
}

RunError ToCondition(const Variant& v, bool& out) {
    if (v.IsIntegral()) {
        out = v.IntValue() != 0;
        return RunError::None;
    }
    if (v.Deref().IsNull()) {
        out = false;
        return RunError::None;
    }
    return ToBoolean(v, out);
}

RunError CoerceTo(Variant& v, Tag tag) {
    if (v.GetTag() == tag || tag == Tag::Empty) {
        return v.IsRef() ? RunError::TypeMismatch : RunError::None;
    }
    RunError e = RunError::None;
    switch (tag) {
    case Tag::Boolean: {
        bool b = false;
        e = ToBoolean(v, b);
        v = Variant::Boolean(b);
        break;
    }
    case Tag::Integer:
    case Tag::Long: {
        std::int32_t i = 0;
        e = tag == Tag::Integer ? ToInteger(v, i) : ToLong(v, i);
        v = Variant::Whole(tag, i);
        break;
    }
    case Tag::Single:
    case Tag::Double:
    case Tag::Date: {
        double d = 0;
        e = tag == Tag::Date ? ToDate(v, d) : ToDouble(v, d);
        if (tag == Tag::Single && e == RunError::None && std::fabs(d) > 3.402823466e38) {
            e = RunError::Overflow;
        }
        v = Variant::Real(tag, d);
        break;
    }
    case Tag::String: {
        std::string text;
        e = ToText(v, text);
        v = Variant::String(std::move(text));
        break;
    }
    default:
        e = RunError::TypeMismatch;
        break;
    }
    return e;
}

Variant DefaultValue(Tag tag) {
    Variant empty;
    CoerceTo(empty, tag);
    return empty;
}

} // namespace vek::basic
