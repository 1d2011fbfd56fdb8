// Built-in functions that reach the clock, the random generator and the host.
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"
#include "scripting/basic/dates.h"
#include "scripting/basic/script_memory.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

namespace vek::basic {

namespace {

// Visual Basic's generator: a 24-bit linear congruential sequence, so seeded runs repeat.
double NextRandom(BuiltinContext& context) {
    context.rndSeed = (context.rndSeed * 1140671485u + 12820163u) & 0xFFFFFFu;
    context.lastRnd = static_cast<double>(context.rndSeed) / 16777216.0;
    return context.lastRnd;
}

double SecondsSinceMidnight() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&t, &parts);
    const auto fraction =
        std::chrono::duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
    return parts.tm_hour * 3600.0 + parts.tm_min * 60.0 + parts.tm_sec + fraction;
}

} // namespace

RunError BuiltinRnd(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    double n = 1;
    if (argc > 0) {
        if (const RunError e = ToDouble(args[0], n); e != RunError::None) {
            return e;
        }
    }
    if (n < 0) {
        const auto f = static_cast<float>(n);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &f, sizeof bits);
        context.rndSeed = (bits + (bits >> 24)) & 0xFFFFFFu;
        out = Variant::Single(static_cast<float>(NextRandom(context)));
    } else if (n == 0) {
        out = Variant::Single(static_cast<float>(context.lastRnd));
    } else {
        out = Variant::Single(static_cast<float>(NextRandom(context)));
    }
    return RunError::None;
}

RunError BuiltinRandomize(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    double seed = SecondsSinceMidnight();
    if (argc > 0) {
        if (const RunError e = ToDouble(args[0], seed); e != RunError::None) {
            return e;
        }
    }
    // The low 24 bits of seed * 256, taken from the seed's remainder so that a seed beyond the
    // range of a whole number (Randomize 1E300) still converts.
    const double low = std::fmod(seed, 65536.0) * 256;
    context.rndSeed =
        (static_cast<std::uint32_t>(static_cast<std::int64_t>(low)) ^ context.rndSeed) & 0xFFFFFFu;
    out = Variant();
    return RunError::None;
}

RunError BuiltinTimer(BuiltinContext&, Variant*, int, Variant& out) {
    out = Variant::Double(SecondsSinceMidnight());
    return RunError::None;
}

RunError BuiltinNow(BuiltinContext&, Variant*, int, Variant& out) {
    out = Variant::Date(LocalNow());
    return RunError::None;
}

RunError BuiltinMsgBox(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT(prompt, args[0]);
    std::int32_t buttons = 0;
    if (argc > 1 && ToLong(args[1], buttons) != RunError::None) {
        return RunError::TypeMismatch;
    }
    std::string title;
    if (argc > 2 && ToText(args[2], title) != RunError::None) {
        return RunError::TypeMismatch;
    }
    out = Variant::Integer(context.msgBox ? context.msgBox(prompt, buttons, title) : 1);
    return RunError::None;
}

// InputBox(prompt[, title[, default[, xpos, ypos[, helpfile, context]]]]): the position and the
// help have no meaning here and are left alone.
RunError BuiltinInputBox(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_TEXT(prompt, args[0]);
    std::string title;
    std::string defaultText;
    if ((argc > 1 && ToText(args[1], title) != RunError::None) ||
        (argc > 2 && ToText(args[2], defaultText) != RunError::None)) {
        return RunError::TypeMismatch;
    }
    std::optional<std::string> answer = defaultText;
    if (context.inputBox) {
        answer = context.inputBox(prompt, title, defaultText);
    }
    if (!answer) {
        answer.emplace();
    }
    if (const RunError e = ReserveString(answer->size()); e != RunError::None) {
        return e;
    }
    out = Variant::String(std::move(*answer));
    return RunError::None;
}

RunError BuiltinWait(BuiltinContext& context, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(ms, args[0]);
    if (ms < 0) {
        return RunError::InvalidCall;
    }
    context.waitMs = ms;
    out = Variant();
    return RunError::None;
}

RunError BuiltinFormat(BuiltinContext&, Variant* args, int argc, Variant& out) {
    std::string pattern;
    if (argc > 1 && ToText(args[1], pattern) != RunError::None) {
        return RunError::TypeMismatch;
    }
    std::string text;
    if (const RunError e = FormatValue(args[0], pattern, text); e != RunError::None) {
        return e;
    }
    out = Variant::String(std::move(text));
    return RunError::None;
}

} // namespace vek::basic
