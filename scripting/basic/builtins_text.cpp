// Built-in string functions.
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"
#include "scripting/basic/script_memory.h"
#include "scripting/basic/text_util.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vek::basic {

namespace {

RunError CheckedString(std::string text, Variant& out) {
    if (const RunError e = ReserveString(text.size()); e != RunError::None) {
        return e;
    }
    out = Variant::String(std::move(text));
    return RunError::None;
}

// Left and Right: the first or last count characters.
RunError TextEnd(Variant* args, bool left, Variant& out) {
    VEK_BASIC_ARG_TEXT_VIEW(text, args[0]);
    VEK_BASIC_ARG_LONG(count, args[1]);
    if (count < 0) {
        return RunError::InvalidCall;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(count));
    out = Variant::String(std::string(left ? text.substr(0, n) : text.substr(text.size() - n)));
    return RunError::None;
}

// Space and String: how many characters, checked before any is made.
RunError RepeatCount(const Variant& value, std::size_t& count) {
    VEK_BASIC_ARG_LONG(n, value);
    if (n < 0) {
        return RunError::InvalidCall;
    }
    if (const RunError e = ReserveString(static_cast<std::size_t>(n)); e != RunError::None) {
        return e;
    }
    count = static_cast<std::size_t>(n);
    return RunError::None;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The compare argument of InStr, InStrRev, Replace and StrComp at args[at]: vbBinaryCompare (0)
// compares character codes, vbTextCompare (1) ignores case; left out or vbUseCompareOption (-1),
// the calling module's Option Compare decides.
RunError IgnoresCase(const BuiltinContext& context, const Variant* args, int argc, int at,
                     bool& ignoreCase) {
    ignoreCase = context.TextCompare();
    if (argc <= at || args[at].IsEmpty()) {
        return RunError::None;
    }
    VEK_BASIC_ARG_LONG(mode, args[at]);
    if (mode < -1 || mode > 1) {
        return RunError::InvalidCall;
    }
    if (mode >= 0) {
        ignoreCase = mode == 1;
    }
    return RunError::None;
}

// The texts a search under vbTextCompare works on; positions stay those of the originals.
void FoldForSearch(bool ignoreCase, std::string& text, std::string& part) {
    if (ignoreCase) {
        text = Lower(text);
        part = Lower(part);
    }
}

} // namespace

RunError BuiltinLen(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT_VIEW(text, args[0]);
    out = Variant::Long(static_cast<std::int32_t>(text.size()));
    return RunError::None;
}

RunError BuiltinLeft(BuiltinContext&, Variant* args, int, Variant& out) {
    return TextEnd(args, true, out);
}

RunError BuiltinRight(BuiltinContext&, Variant* args, int, Variant& out) {
    return TextEnd(args, false, out);
}

RunError BuiltinMid(BuiltinContext&, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT_VIEW(text, args[0]);
    VEK_BASIC_ARG_LONG(start, args[1]);
    std::int32_t count = INT32_MAX;
    if (argc > 2 && ToLong(args[2], count) != RunError::None) {
        return RunError::TypeMismatch;
    }
    if (start < 1 || count < 0) {
        return RunError::InvalidCall;
    }
    if (static_cast<std::size_t>(start) > text.size()) {
        out = Variant::String({});
        return RunError::None;
    }
    out = Variant::String(std::string(
        text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count))));
    return RunError::None;
}

RunError BuiltinMidStatement(BuiltinContext&, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    VEK_BASIC_ARG_LONG(start, args[1]);
    std::int32_t count = INT32_MAX;
    if (argc > 3 && ToLong(args[2], count) != RunError::None) {
        return RunError::TypeMismatch;
    }
    VEK_BASIC_ARG_TEXT_VIEW(replacement, args[argc - 1]);
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || count < 0) {
        return RunError::InvalidCall;
    }
    // The variable keeps its length: as many characters as fit, of those given.
    const std::size_t at = static_cast<std::size_t>(start) - 1;
    const std::size_t n =
        std::min({static_cast<std::size_t>(count), replacement.size(), text.size() - at});
    text.replace(at, n, replacement.substr(0, n));
    out = Variant::String(std::move(text));
    return RunError::None;
}

namespace {

// LSet and RSet: the text in the variable's length, left or right aligned among blanks; a longer
// text gives its leftmost characters.
RunError AlignedInPlace(Variant* args, bool right, Variant& out) {
    VEK_BASIC_ARG_TEXT_VIEW(old, args[0]);
    VEK_BASIC_ARG_TEXT_VIEW(text, args[1]);
    const std::size_t width = old.size();
    std::string aligned(text.substr(0, width));
    aligned.insert(right ? aligned.begin() : aligned.end(), width - aligned.size(), ' ');
    out = Variant::String(std::move(aligned));
    return RunError::None;
}

} // namespace

RunError BuiltinLSetStatement(BuiltinContext&, Variant* args, int, Variant& out) {
    return AlignedInPlace(args, false, out);
}

RunError BuiltinRSetStatement(BuiltinContext&, Variant* args, int, Variant& out) {
    return AlignedInPlace(args, true, out);
}

RunError BuiltinInStr(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    // InStr(text, part) or InStr(start, text, part[, compare]).
    std::int32_t start = 1;
    int first = 0;
    if (argc >= 3) {
        if (const RunError e = ToLong(args[0], start); e != RunError::None) {
            return e;
        }
        first = 1;
    }
    if (start < 1) {
        return RunError::InvalidCall;
    }
    if (args[first].IsNull() || args[first + 1].IsNull()) {
        out = Variant::Null(); // as Visual Basic has it
        return RunError::None;
    }
    VEK_BASIC_ARG_TEXT_VIEW(text, args[first]);
    VEK_BASIC_ARG_TEXT_VIEW(part, args[first + 1]);
    bool ignoreCase = false;
    if (const RunError e = IgnoresCase(context, args, argc, 3, ignoreCase); e != RunError::None) {
        return e;
    }
    if (ignoreCase) {
        textStorage = Lower(text);
        partStorage = Lower(part);
        text = textStorage;
        part = partStorage;
    }
    std::int32_t result = 0;
    if (static_cast<std::size_t>(start) <= text.size() + 1) {
        const auto at = text.find(part, static_cast<std::size_t>(start) - 1);
        result = at == std::string::npos ? 0 : static_cast<std::int32_t>(at) + 1;
    }
    out = Variant::Long(result);
    return RunError::None;
}

RunError BuiltinInStrRev(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    VEK_BASIC_ARG_TEXT(part, args[1]);
    std::int32_t start = -1;
    if (argc >= 3 && !args[2].IsEmpty() && ToLong(args[2], start) != RunError::None) {
        return RunError::TypeMismatch;
    }
    if (start == 0 || start < -1) {
        return RunError::InvalidCall;
    }
    bool ignoreCase = false;
    if (const RunError e = IgnoresCase(context, args, argc, 3, ignoreCase); e != RunError::None) {
        return e;
    }
    FoldForSearch(ignoreCase, text, part);
    std::size_t from = std::string::npos;
    if (start > 0) {
        if (static_cast<std::size_t>(start) < part.size()) {
            out = Variant::Long(0);
            return RunError::None;
        }
        from = static_cast<std::size_t>(start) - part.size();
    }
    const auto at = text.rfind(part, from);
    out = Variant::Long(at == std::string::npos ? 0 : static_cast<std::int32_t>(at) + 1);
    return RunError::None;
}

RunError BuiltinUCase(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    out = Variant::String(Upper(std::move(text)));
    return RunError::None;
}

RunError BuiltinLCase(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    out = Variant::String(Lower(text));
    return RunError::None;
}

RunError BuiltinTrim(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    out = Variant::String(first == std::string::npos ? std::string()
                                                     : text.substr(first, last - first + 1));
    return RunError::None;
}

RunError BuiltinLTrim(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    const auto first = text.find_first_not_of(' ');
    out = Variant::String(first == std::string::npos ? std::string() : text.substr(first));
    return RunError::None;
}

RunError BuiltinRTrim(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    const auto last = text.find_last_not_of(' ');
    out = Variant::String(last == std::string::npos ? std::string() : text.substr(0, last + 1));
    return RunError::None;
}

RunError BuiltinSpace(BuiltinContext&, Variant* args, int, Variant& out) {
    std::size_t count = 0;
    if (const RunError e = RepeatCount(args[0], count); e != RunError::None) {
        return e;
    }
    out = Variant::String(std::string(count, ' '));
    return RunError::None;
}

RunError BuiltinString(BuiltinContext&, Variant* args, int, Variant& out) {
    std::size_t count = 0;
    if (const RunError e = RepeatCount(args[0], count); e != RunError::None) {
        return e;
    }
    char c = 0;
    if (args[1].IsString()) {
        if (args[1].StringValue().empty()) {
            return RunError::InvalidCall;
        }
        c = args[1].StringValue()[0];
    } else {
        VEK_BASIC_ARG_LONG(code, args[1]);
        c = static_cast<char>(code & 0xFF);
    }
    out = Variant::String(std::string(count, c));
    return RunError::None;
}

RunError BuiltinChr(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(code, args[0]);
    if (code < 0 || code > 255) {
        return RunError::InvalidCall;
    }
    out = Variant::String(std::string(1, static_cast<char>(code)));
    return RunError::None;
}

RunError BuiltinAsc(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    if (text.empty()) {
        return RunError::InvalidCall;
    }
    out = Variant::Integer(static_cast<unsigned char>(text[0]));
    return RunError::None;
}

RunError BuiltinReplace(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    // Replace(text, find, with[, start[, count[, compare]]]): as Visual Basic has it, the result
    // begins at start, and count (-1: all) limits the replacements.
    VEK_BASIC_ARG_TEXT(text, args[0]);
    VEK_BASIC_ARG_TEXT(find, args[1]);
    VEK_BASIC_ARG_TEXT(with, args[2]);
    std::int32_t start = 1;
    std::int32_t count = -1;
    if ((argc > 3 && !args[3].IsEmpty() && ToLong(args[3], start) != RunError::None) ||
        (argc > 4 && !args[4].IsEmpty() && ToLong(args[4], count) != RunError::None)) {
        return RunError::TypeMismatch;
    }
    bool ignoreCase = false;
    if (const RunError e = IgnoresCase(context, args, argc, 5, ignoreCase); e != RunError::None) {
        return e;
    }
    if (start < 1 || count < -1) {
        return RunError::InvalidCall;
    }
    if (static_cast<std::size_t>(start) > text.size()) {
        out = Variant::String({});
        return RunError::None;
    }
    text.erase(0, static_cast<std::size_t>(start) - 1);
    std::string searched = text;
    FoldForSearch(ignoreCase, searched, find);
    std::string result;
    std::size_t from = 0;
    for (std::int32_t done = 0; !find.empty() && done != count; ++done) {
        const auto at = searched.find(find, from);
        if (at == std::string::npos) {
            break;
        }
        result.append(text, from, at - from).append(with);
        if (const RunError e = ReserveString(result.size()); e != RunError::None) {
            return e;
        }
        from = at + find.size();
    }
    result.append(text, from, std::string::npos);
    return CheckedString(std::move(result), out);
}

RunError BuiltinStrComp(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT(a, args[0]);
    VEK_BASIC_ARG_TEXT(b, args[1]);
    bool ignoreCase = false;
    if (const RunError e = IgnoresCase(context, args, argc, 2, ignoreCase); e != RunError::None) {
        return e;
    }
    FoldForSearch(ignoreCase, a, b);
    const int c = a.compare(b);
    out = Variant::Integer(c < 0 ? -1 : c > 0 ? 1 : 0);
    return RunError::None;
}

RunError BuiltinStrReverse(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    std::reverse(text.begin(), text.end());
    out = Variant::String(std::move(text));
    return RunError::None;
}

RunError BuiltinCStr(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    out = Variant::String(std::move(text));
    return RunError::None;
}

RunError BuiltinStr(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DOUBLE(number, args[0]);
    // A numeric string prints as the number it holds.
    const Variant value = args[0].IsString() ? Variant::Double(number) : args[0];
    VEK_BASIC_ARG_TEXT(text, value);
    if (text.empty() || text[0] != '-') {
        text.insert(text.begin(), ' ');
    }
    out = Variant::String(std::move(text));
    return RunError::None;
}

RunError BuiltinVal(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(text, args[0]);
    double number = 0;
    if (const RunError e = LeadingNumber(text, number); e != RunError::None) {
        return e;
    }
    out = Variant::Double(number);
    return RunError::None;
}

namespace {

RunError RadixText(const Variant& value, bool hex, Variant& out) {
    VEK_BASIC_ARG_LONG(number, value);
    std::uint32_t bits = static_cast<std::uint32_t>(number);
    if (number < 0 && (value.GetTag() == Tag::Integer || value.GetTag() == Tag::Boolean)) {
        bits &= 0xFFFF;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, hex ? "%X" : "%o", bits);
    out = Variant::String(buffer);
    return RunError::None;
}

} // namespace

RunError BuiltinHex(BuiltinContext&, Variant* args, int, Variant& out) {
    return RadixText(args[0], true, out);
}

RunError BuiltinOct(BuiltinContext&, Variant* args, int, Variant& out) {
    return RadixText(args[0], false, out);
}

} // namespace vek::basic
