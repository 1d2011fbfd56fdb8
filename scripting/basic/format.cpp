#include "scripting/basic/builtins.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/dates.h"
#include "scripting/basic/text_util.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

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

// The digits of |value| times 10^shift, rounded half away from zero to `decimals` places: the
// whole part's digits and exactly `decimals` fraction digits. As in Visual Basic, Format works
// from the `significant` digits the value shows (15 of a Double, 7 of a Single) and writes zeros
// beyond them, so any number of places has its digits and a large value never overflows.
void DecimalDigits(double value, int significant, int shift, std::size_t decimals,
                   std::string& whole, std::string& fraction) {
    std::string digits = "0";
    std::int64_t point = 1; // digits before the decimal point
    if (value != 0) {
        char buffer[40]; // d.ddd...e-308: at most 17 significant digits and the exponent
        std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
        const std::string text(buffer);
        const std::size_t e = text.find('e');
        digits = text.substr(0, 1) + text.substr(2, e - 2);
        point = std::stoi(text.substr(e + 1)) + 1;
    }
    point += shift;
    const std::int64_t keep = point + static_cast<std::int64_t>(decimals);
    if (keep < 0) {
        digits.clear();
    } else if (static_cast<std::size_t>(keep) < digits.size()) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i > 0) {
                ++digits[i - 1];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    }
    // The digit of the place k digits after the first one, zero where the value shows none.
    const auto digitAt = [&digits](std::int64_t k) {
        return k >= 0 && static_cast<std::size_t>(k) < digits.size()
                   ? digits[static_cast<std::size_t>(k)]
                   : '0';
    };
    whole.clear();
    for (std::int64_t k = 0; k < point; ++k) {
        whole.push_back(digitAt(k));
    }
    if (whole.empty()) {
        whole = "0";
    }
    fraction.clear();
    for (std::size_t j = 0; j < decimals; ++j) {
        fraction.push_back(digitAt(point + static_cast<std::int64_t>(j)));
    }
}

// A pattern made of a literal prefix, digit placeholders (0 # , .) and a literal suffix; a value
// shows `significant` digits.
std::string FormatNumber(double value, int significant, const std::string& pattern) {
    const auto first = pattern.find_first_of("0#.");
    const auto last = pattern.find_last_of("0#.,");
    if (first == std::string::npos) {
        return pattern;
    }
    std::string prefix = pattern.substr(0, first);
    std::string suffix = pattern.substr(last + 1);
    const std::string body = pattern.substr(first, last - first + 1);
    const int shift = pattern.find('%') != std::string::npos ? 2 : 0;
    const auto point = body.find('.');
    const std::string intPart = body.substr(0, point);
    const std::string fracPart = point == std::string::npos ? "" : body.substr(point + 1);
    std::size_t minInt = 0;
    for (char c : intPart) {
        minInt += c == '0';
    }
    std::size_t minFrac = 0;
    std::size_t maxFrac = 0;
    for (char c : fracPart) {
        minFrac += c == '0';
        maxFrac += c == '0' || c == '#';
    }
    const bool group = intPart.find(',') != std::string::npos;
    const bool negative = value < 0;
    std::string whole;
    std::string fraction;
    DecimalDigits(value, significant, shift, maxFrac, whole, fraction);
    while (fraction.size() > minFrac && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (whole == "0" && minInt == 0) {
        whole.clear();
    }
    if (whole.size() < minInt) {
        whole.insert(0, minInt - whole.size(), '0');
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

// Whether the pattern formats text: it holds @ or & (outside quotes), or only <, > and !.
bool IsTextPattern(std::string_view pattern) {
    bool quoted = false;
    bool placeholder = false;
    bool flagsOnly = true;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"') {
            quoted = !quoted;
            flagsOnly = false;
        } else if (quoted || c == '\\') {
            i += c == '\\' ? 1 : 0;
            flagsOnly = false;
        } else if (c == '@' || c == '&') {
            placeholder = true;
        } else if (c == ';') {
            break;
        } else if (c != '<' && c != '>' && c != '!') {
            flagsOnly = false;
        }
    }
    return placeholder || (flagsOnly && !pattern.empty());
}

// A piece of a text pattern: a placeholder (@ a character or a blank, & a character or nothing)
// or literal text.
struct TextPiece {
    char placeholder = 0;
    std::string literal;
};

// Text through a text pattern, as VBA's Format: the placeholders take the text's characters from
// the right (from the left after !), what is left over stands before them (after them); < and >
// change the case of the whole text. A second section (after ;) is for an empty text.
std::string FormatText(std::string text, std::string_view pattern) {
    std::vector<TextPiece> pieces;
    bool fromLeft = false;
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted || (c == '\\' && i + 1 < pattern.size())) {
            const char literal = quoted ? c : pattern[++i];
            if (pieces.empty() || pieces.back().placeholder != 0)
                pieces.emplace_back();
            pieces.back().literal += literal;
        } else if (c == ';') {
            // The second section stands for an empty text.
            if (text.empty())
                return FormatText(text, pattern.substr(i + 1));
            break;
        } else if (c == '@' || c == '&') {
            pieces.push_back({c, {}});
        } else if (c == '<' || c == '>') {
            for (char& t : text)
                t = static_cast<char>(c == '<' ? std::tolower(static_cast<unsigned char>(t))
                                               : std::toupper(static_cast<unsigned char>(t)));
        } else if (c == '!') {
            fromLeft = true;
        } else {
            if (pieces.empty() || pieces.back().placeholder != 0)
                pieces.emplace_back();
            pieces.back().literal += c;
        }
    }
    std::string out;
    if (fromLeft) {
        std::size_t next = 0;
        for (const TextPiece& piece : pieces) {
            if (piece.placeholder == 0)
                out += piece.literal;
            else if (next < text.size())
                out += text[next++];
            else if (piece.placeholder == '@')
                out += ' ';
        }
        return out + text.substr(next);
    }
    std::size_t left = text.size();
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
        if (piece->placeholder == 0)
            out.insert(0, piece->literal);
        else if (left > 0)
            out.insert(out.begin(), text[--left]);
        else if (piece->placeholder == '@')
            out.insert(out.begin(), ' ');
    }
    return text.substr(0, left) + out;
}

} // namespace

RunError FormatValue(const Variant& value, const std::string& pattern, std::string& out) {
    if (IsTextPattern(pattern)) {
        std::string text;
        if (!value.Deref().IsNull()) {
            if (const RunError e = ToText(value, text); e != RunError::None) {
                return e;
            }
        }
        out = FormatText(std::move(text), pattern);
        return RunError::None;
    }
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
    const int significant = value.Deref().GetTag() == Tag::Single ? 7 : 15;
    if (named == "fixed") {
        out = FormatNumber(number, significant, "0.00");
    } else if (named == "standard") {
        out = FormatNumber(number, significant, "#,##0.00");
    } else if (named == "percent") {
        out = FormatNumber(number, significant, "0.00%");
    } else {
        out = FormatNumber(number, significant, pattern);
    }
    return RunError::None;
}

} // namespace vek::basic
