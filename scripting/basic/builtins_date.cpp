// Built-in functions of dates and times.
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"
#include "scripting/basic/dates.h"
#include "scripting/basic/text_util.h"

#include <cmath>

namespace vek::basic {

namespace {

// The date argument of a function; error 13 when it is none.
#define VEK_BASIC_ARG_DATE(var, value)                                                             \
    double var = 0;                                                                                \
    if (const RunError e_##var = ToDate(value, var); e_##var != RunError::None) {                  \
        return e_##var;                                                                            \
    }

RunError DateResult(double serial, Variant& out) {
    if (!(serial >= kFirstSerial && serial < kLastSerial + 1)) {
        return RunError::InvalidCall;
    }
    out = Variant::Date(serial);
    return RunError::None;
}

// The first day of the week an argument names: 1 Sunday ... 7 Saturday; 0 (the system's) and a
// left-out argument are Sunday.
RunError FirstDayOfWeek(const Variant* args, int argc, int at, int& first) {
    first = 1;
    if (argc <= at || args[at].IsEmpty()) {
        return RunError::None;
    }
    VEK_BASIC_ARG_LONG(day, args[at]);
    if (day < 0 || day > 7) {
        return RunError::InvalidCall;
    }
    first = day == 0 ? 1 : day;
    return RunError::None;
}

// The interval argument of DateAdd and DateDiff.
enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

RunError ReadInterval(const Variant& value, Interval& interval) {
    VEK_BASIC_ARG_TEXT(text, value);
    static constexpr struct {
        const char* name;
        Interval interval;
    } kIntervals[] = {{"yyyy", Interval::Year}, {"q", Interval::Quarter},
                      {"m", Interval::Month},   {"y", Interval::DayOfYear},
                      {"d", Interval::Day},     {"w", Interval::Weekday},
                      {"ww", Interval::Week},   {"h", Interval::Hour},
                      {"n", Interval::Minute},  {"s", Interval::Second}};
    for (const auto& entry : kIntervals) {
        if (EqualsNoCase(text, entry.name)) {
            interval = entry.interval;
            return RunError::None;
        }
    }
    return RunError::InvalidCall;
}

// Seconds since day 0 counted straight on.
std::int64_t LinearSeconds(double serial) {
    return std::llround(SerialToLinear(serial) * 86400.0);
}

double FromLinearSeconds(std::int64_t seconds) {
    return LinearToSerial(static_cast<double>(seconds) / 86400.0);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

} // namespace

RunError BuiltinDate(BuiltinContext&, Variant*, int, Variant& out) {
    out = Variant::Date(std::floor(SerialToLinear(LocalNow())));
    return RunError::None;
}

RunError BuiltinTime(BuiltinContext&, Variant*, int, Variant& out) {
    const double now = SerialToLinear(LocalNow());
    out = Variant::Date(now - std::floor(now));
    return RunError::None;
}

RunError BuiltinDateSerial(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(year, args[0]);
    VEK_BASIC_ARG_LONG(month, args[1]);
    VEK_BASIC_ARG_LONG(day, args[2]);
    if (year >= 0 && year < 100) {
        year += year < 30 ? 2000 : 1900;
    }
    double serial = 0;
    if (!JoinDate(year, month, day, serial)) {
        return RunError::InvalidCall;
    }
    out = Variant::Date(serial);
    return RunError::None;
}

RunError BuiltinTimeSerial(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(hour, args[0]);
    VEK_BASIC_ARG_LONG(minute, args[1]);
    VEK_BASIC_ARG_LONG(second, args[2]);
    return DateResult(LinearToSerial(TimeFraction(hour, minute, second)), out);
}

RunError BuiltinCDate(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DATE(serial, args[0]);
    out = Variant::Date(serial);
    return RunError::None;
}

RunError BuiltinDateValue(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DATE(serial, args[0]);
    out = Variant::Date(std::trunc(serial));
    return RunError::None;
}

RunError BuiltinTimeValue(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_DATE(serial, args[0]);
    // The time in whole seconds, so that it equals the TimeSerial of its parts.
    const DateParts p = SplitDate(serial);
    out = Variant::Date(TimeFraction(p.hour, p.minute, p.second));
    return RunError::None;
}

RunError BuiltinIsDate(BuiltinContext&, Variant* args, int, Variant& out) {
    const Variant& v = args[0].IsRef() ? args[0].Deref() : args[0];
    double serial = 0;
    out = Variant::Boolean(v.GetTag() == Tag::Date ||
                           (v.IsString() && ParseDate(v.StringValue(), serial)));
    return RunError::None;
}

#define VEK_BASIC_DATE_PART(name, expression)                                                      \
    RunError Builtin##name(BuiltinContext&, Variant* args, int, Variant& out) {                    \
        VEK_BASIC_ARG_DATE(serial, args[0]);                                                       \
        const DateParts p = SplitDate(serial);                                                     \
        out = Variant::Integer(expression);                                                        \
        return RunError::None;                                                                     \
    }
VEK_BASIC_DATE_PART(Year, p.year)
VEK_BASIC_DATE_PART(Month, p.month)
VEK_BASIC_DATE_PART(Day, p.day)
VEK_BASIC_DATE_PART(Hour, p.hour)
VEK_BASIC_DATE_PART(Minute, p.minute)
VEK_BASIC_DATE_PART(Second, p.second)
#undef VEK_BASIC_DATE_PART

RunError BuiltinWeekday(BuiltinContext&, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_DATE(serial, args[0]);
    int first = 1;
    if (const RunError e = FirstDayOfWeek(args, argc, 1, first); e != RunError::None) {
        return e;
    }
    out = Variant::Integer((SplitDate(serial).weekday - first + 7) % 7 + 1);
    return RunError::None;
}

RunError BuiltinDateAdd(BuiltinContext&, Variant* args, int, Variant& out) {
    Interval interval = Interval::Day;
    if (const RunError e = ReadInterval(args[0], interval); e != RunError::None) {
        return e;
    }
    VEK_BASIC_ARG_LONG(count, args[1]);
    VEK_BASIC_ARG_DATE(serial, args[2]);
    const std::int64_t n = count;
    static constexpr std::int64_t kSecondsOf[] = {0,     0,         0,    86400, 86400,
                                                  86400, 7 * 86400, 3600, 60,    1};
    if (interval == Interval::Year || interval == Interval::Quarter ||
        interval == Interval::Month) {
        // Whole months on, the day kept or cut to the end of the shorter month; the time kept.
        const std::int64_t months = n * (interval == Interval::Year      ? 12
                                         : interval == Interval::Quarter ? 3
                                                                         : 1);
        const DateParts p = SplitDate(serial);
        double first = 0;
        double next = 0;
        if (!JoinDate(p.year, p.month + months, 1, first) ||
            !JoinDate(p.year, p.month + months + 1, 1, next)) {
            return RunError::InvalidCall;
        }
        const double day = first + std::min<double>(p.day, next - first) - 1;
        return DateResult(LinearToSerial(day + TimeFraction(p.hour, p.minute, p.second)), out);
    }
    return DateResult(
        FromLinearSeconds(LinearSeconds(serial) + n * kSecondsOf[static_cast<int>(interval)]), out);
}

RunError BuiltinDateDiff(BuiltinContext&, Variant* args, int argc, Variant& out) {
    Interval interval = Interval::Day;
    if (const RunError e = ReadInterval(args[0], interval); e != RunError::None) {
        return e;
    }
    VEK_BASIC_ARG_DATE(from, args[1]);
    VEK_BASIC_ARG_DATE(to, args[2]);
    int first = 1;
    if (const RunError e = FirstDayOfWeek(args, argc, 3, first); e != RunError::None) {
        return e;
    }
    const DateParts a = SplitDate(from);
    const DateParts b = SplitDate(to);
    const std::int64_t secondsA = LinearSeconds(from);
    const std::int64_t secondsB = LinearSeconds(to);
    const std::int64_t dayA = FloorDiv(secondsA, 86400);
    const std::int64_t dayB = FloorDiv(secondsB, 86400);
    std::int64_t result = 0;
    switch (interval) {
    case Interval::Year:
        result = b.year - a.year;
        break;
    case Interval::Quarter:
        result = (b.year * 4 + (b.month - 1) / 3) - (a.year * 4 + (a.month - 1) / 3);
        break;
    case Interval::Month:
        result = (b.year * 12 + b.month) - (a.year * 12 + a.month);
        break;
    case Interval::DayOfYear:
    case Interval::Day:
        result = dayB - dayA;
        break;
    case Interval::Weekday:
        result = (dayB - dayA) / 7;
        break;
    case Interval::Week: // the first days of the week passed; day 1 is a Sunday
        result = FloorDiv(dayB - 1 - (first - 1), 7) - FloorDiv(dayA - 1 - (first - 1), 7);
        break;
    case Interval::Hour:
        result = FloorDiv(secondsB, 3600) - FloorDiv(secondsA, 3600);
        break;
    case Interval::Minute:
        result = FloorDiv(secondsB, 60) - FloorDiv(secondsA, 60);
        break;
    case Interval::Second:
        result = secondsB - secondsA;
        break;
    }
    if (result < INT32_MIN || result > INT32_MAX) {
        return RunError::Overflow;
    }
    out = Variant::Long(static_cast<std::int32_t>(result));
    return RunError::None;
}

} // namespace vek::basic
