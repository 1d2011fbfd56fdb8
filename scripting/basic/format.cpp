#include "scripting/basic/builtins.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/dates.h"
#include "scripting/basic/text_util.h"

#include <cmath>
#include <cstdio>

namespace vek::basic {

namespace {

std::string GroupThousands(const std::string& digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(digits[i]);
        if ((n - i - 1) % 3 == 0 && i + 1 < n) {
            out.push_back(',');
        }
    }
    return out;
}

// A pattern made of a literal prefix, digit placeholders (0 # , .) and a literal suffix.
std::string FormatNumber(double value, const std::string& pattern) {
    const auto first = pattern.find_first_of("0#.");
    const auto last = pattern.find_last_of("0#.,");
    if (first == std::string::npos) {
        return pattern;
    }
    std::string prefix = pattern.substr(0, first);
    std::string suffix = pattern.substr(last + 1);
    const std::string body = pattern.substr(first, last - first + 1);
    if (pattern.find('%') != std::string::npos) {
        value *= 100;
    }
    const auto point = body.find('.');
    const std::string intPart = body.substr(0, point);
    const std::string fracPart = point == std::string::npos ? "" : body.substr(point + 1);
    int minInt = 0;
    for (char c : intPart) {
        minInt += c == '0';
    }
    int minFrac = 0;
    int maxFrac = 0;
    for (char c : fracPart) {
        minFrac += c == '0';
        maxFrac += c == '0' || c == '#';
    }
    const bool group = intPart.find(',') != std::string::npos;
    const bool negative = value < 0;
    const double scale = std::pow(10.0, maxFrac);
    const double rounded = std::round(std::fabs(value) * scale) / scale;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", maxFrac, rounded);
    std::string text(buffer);
    std::string whole = text.substr(0, text.find('.'));
    std::string fraction = maxFrac > 0 ? text.substr(text.find('.') + 1) : "";
    while (static_cast<int>(fraction.size()) > minFrac && !fraction.empty() &&
           fraction.back() == '0') {
        fraction.pop_back();
    }
    if (whole == "0" && minInt == 0) {
        whole.clear();
    }
    while (static_cast<int>(whole.size()) < minInt) {
        whole.insert(whole.begin(), '0');
    }
    if (group) {
        whole = GroupThousands(whole);
    }
    std::string out = whole;
    if (point != std::string::npos && (!fraction.empty() || minFrac > 0)) {
        out += "." + fraction;
    }
    const bool allZero = out.find_first_not_of("0.,") == std::string::npos;
    return (negative && !allZero ? "-" : "") + prefix + out + suffix;
}

} // namespace

RunError FormatValue(const Variant& value, const std::string& pattern, std::string& out) {
    double serial = 0;
    if (pattern.empty() ||
        (value.IsString() && !(IsDatePattern(pattern) && ParseDate(value.StringValue(), serial)))) {
        return ToText(value, out);
    }
    const std::string named = Lower(pattern);
    if (named == "yes/no" || named == "true/false" || named == "on/off") {
        bool b = false;
        if (const RunError e = ToBoolean(value, b); e != RunError::None) {
            return e;
        }
        static const char* const kWords[3][2] = {{"No", "Yes"}, {"False", "True"}, {"Off", "On"}};
        const int row = named == "yes/no" ? 0 : named == "true/false" ? 1 : 2;
        out = kWords[row][b ? 1 : 0];
        return RunError::None;
    }
    if (named != "general number" && named != "fixed" && named != "standard" &&
        named != "percent" && IsDatePattern(pattern)) {
        if (const RunError e = ToDate(value, serial); e != RunError::None) {
            return e;
        }
        out = FormatDate(serial, pattern);
        return RunError::None;
    }
    double number = 0;
    if (const RunError e = ToDouble(value, number); e != RunError::None) {
        return e;
    }
    if (named == "general number") {
        return ToText(Variant::Double(number), out);
    }
    if (named == "fixed") {
        out = FormatNumber(number, "0.00");
    } else if (named == "standard") {
        out = FormatNumber(number, "#,##0.00");
    } else if (named == "percent") {
        out = FormatNumber(number, "0.00%");
    } else {
        out = FormatNumber(number, pattern);
    }
    return RunError::None;
}

} // namespace vek::basic
