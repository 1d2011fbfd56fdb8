#include "scripting/basic/dates.h"

#include "scripting/basic/conversions.h"
#include "scripting/basic/text_util.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <utility>

namespace vek::basic {

namespace {

constexpr std::int64_t kUnixEpochSerial = 25569; // 1 January 1970
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar, and back.
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month) {
    return static_cast<int>(DaysFromCivil(year + (month == 12), month % 12 + 1, 1) -
                            DaysFromCivil(year, month, 1));
}

// Reads the digits at `at`; false when there are none.
bool ReadNumber(std::string_view text, std::size_t& at, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && digits < 9) {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++digits;
    }
    return digits > 0;
}

void SkipBlanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
}

// hh:mm[:ss] [AM|PM] from `at` to the end.
bool ParseTime(std::string_view text, std::size_t at, double& fraction) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int digits = 0;
    if (!ReadNumber(text, at, hour, digits) || at >= text.size() || text[at] != ':') {
        return false;
    }
    ++at;
    if (!ReadNumber(text, at, minute, digits)) {
        return false;
    }
    if (at < text.size() && text[at] == ':') {
        ++at;
        if (!ReadNumber(text, at, second, digits)) {
            return false;
        }
    }
    SkipBlanks(text, at);
    const std::string rest = Lower(text.substr(at));
    if (rest == "am" || rest == "pm") {
        if (hour < 1 || hour > 12) {
            return false;
        }
        hour = hour % 12 + (rest == "pm" ? 12 : 0);
    } else if (!rest.empty()) {
        return false;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    fraction = TimeFraction(hour, minute, second);
    return true;
}

// yyyy-mm-dd, yyyy/mm/dd or m/d/yyyy (two-digit years as DateSerial reads them).
bool ParseDay(std::string_view text, std::size_t& at, double& serial) {
    int a = 0;
    int b = 0;
    int c = 0;
    int digitsA = 0;
    int digits = 0;
    if (!ReadNumber(text, at, a, digitsA) || at >= text.size() ||
        (text[at] != '-' && text[at] != '/')) {
        return false;
    }
    const char separator = text[at++];
    if (!ReadNumber(text, at, b, digits) || at >= text.size() || text[at] != separator) {
        return false;
    }
    ++at;
    int digitsC = 0;
    if (!ReadNumber(text, at, c, digitsC)) {
        return false;
    }
    int year = c;
    int month = a;
    int day = b;
    if (digitsA == 4) {
        year = a;
        month = b;
        day = c;
    } else {
        if (digitsC <= 2) {
            year += year < 30 ? 2000 : 1900;
        }
        // A first number that cannot be a month is the day, as VBA reads 25/12/2011.
        if (month > 12 && day <= 12) {
            std::swap(month, day);
        }
    }
    if (month < 1 || month > 12 || year < 100 || year > 9999 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return false;
    }
    return JoinDate(year, month, day, serial);
}

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// The named date formats, written as patterns.
// The short date and the long time of VBA's en-US default: 11/24/2017, 6:15:00 PM.
constexpr const char* kShortDate = "m/d/yyyy";
constexpr const char* kLongTime = "h:nn:ss AM/PM";

const char* NamedDatePattern(std::string_view name) {
    const std::string lower = Lower(name);
    if (lower == "long date") {
        return "dddd, mmmm d, yyyy";
    }
    if (lower == "medium date") {
        return "dd-mmm-yy";
    }
    if (lower == "short date") {
        return kShortDate;
    }
    if (lower == "long time") {
        return kLongTime;
    }
    if (lower == "medium time") {
        return "hh:nn AM/PM";
    }
    if (lower == "short time") {
        return "hh:nn";
    }
    return nullptr;
}

// How many times `c` repeats from `at` (any case).
std::size_t RunLength(std::string_view pattern, std::size_t at, char c) {
    std::size_t n = 0;
    while (at + n < pattern.size() &&
           std::tolower(static_cast<unsigned char>(pattern[at + n])) == c) {
        ++n;
    }
    return n;
}

bool StartsNoCase(std::string_view text, std::size_t at, std::string_view word) {
    return text.size() - at >= word.size() && EqualsNoCase(text.substr(at, word.size()), word);
}

} // namespace

DateParts SplitDate(double serial) {
    double whole = std::trunc(serial);
    std::int64_t seconds = std::llround(std::fabs(serial - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds = 0;
        whole += 1;
    }
    DateParts parts;
    const auto day = static_cast<std::int64_t>(whole);
    CivilFromDays(day - kUnixEpochSerial, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    parts.weekday = static_cast<int>(((day % 7) + 13) % 7) + 1;
    return parts;
}

double SerialToLinear(double serial) {
    const double whole = std::trunc(serial);
    return whole + std::fabs(serial - whole);
}

double LinearToSerial(double linear) {
    const double whole = std::floor(linear);
    const double fraction = linear - whole;
    return whole >= 0 ? whole + fraction : whole - fraction;
}

bool JoinDate(std::int64_t year, std::int64_t month, std::int64_t day, double& serial) {
    if (std::llabs(year) > 100000 || std::llabs(month) > 1200000 || std::llabs(day) > 40000000) {
        return false;
    }
    const std::int64_t months = month - 1;
    year += months >= 0 ? months / 12 : -((11 - months) / 12);
    const std::int64_t m = ((months % 12) + 12) % 12 + 1;
    serial = static_cast<double>(DaysFromCivil(year, m, 1) + kUnixEpochSerial + day - 1);
    return serial >= kFirstSerial && serial <= kLastSerial;
}

double TimeFraction(std::int64_t hour, std::int64_t minute, std::int64_t second) {
    return static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
}

bool ParseDate(std::string_view text, double& serial) {
    std::size_t at = 0;
    SkipBlanks(text, at);
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::size_t afterDay = at;
    double day = 0;
    if (ParseDay(text, afterDay, day)) {
        SkipBlanks(text, afterDay);
        double fraction = 0;
        if (afterDay < text.size() && !ParseTime(text, afterDay, fraction)) {
            return false;
        }
        serial = day + fraction;
        return true;
    }
    return ParseTime(text, at, serial);
}

RunError ToDate(const Variant& value, double& serial) {
    const Variant& v = value.IsRef() ? value.Deref() : value;
    if (v.IsString()) {
        if (ParseDate(v.StringValue(), serial)) {
            return RunError::None;
        }
        double number = 0;
        if (const RunError e = ParseNumber(v.StringValue(), number); e != RunError::None) {
            return e;
        }
        serial = number;
    } else if (const RunError e = ToDouble(v, serial); e != RunError::None) {
        return e;
    }
    return serial >= kFirstSerial && serial < kLastSerial + 1 ? RunError::None : RunError::Overflow;
}

double LocalNow() {
    // Whole seconds, as Now gives them.
    const std::time_t t = std::time(nullptr);
    std::tm parts{};
    localtime_r(&t, &parts);
    const double local = static_cast<double>(t) + static_cast<double>(parts.tm_gmtoff);
    return LinearToSerial(local / 86400.0 + kUnixEpochSerial);
}

std::string DateText(double serial) {
    const DateParts p = SplitDate(serial);
    const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
    if (std::trunc(serial) == 0 && std::fabs(serial) < 1) {
        return FormatDate(serial, kLongTime);
    }
    return FormatDate(serial, hasTime ? std::string(kShortDate) + ' ' + kLongTime : kShortDate);
}

bool IsDatePattern(std::string_view pattern) {
    if (NamedDatePattern(pattern) != nullptr || EqualsNoCase(pattern, "general date")) {
        return true;
    }
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\') {
            ++i;
        } else if (!quoted && std::string_view("dmyhnswq").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

std::string FormatDate(double serial, std::string_view pattern) {
    if (EqualsNoCase(pattern, "general date")) {
        return DateText(serial);
    }
    if (const char* named = NamedDatePattern(pattern)) {
        pattern = named;
    }
    const DateParts p = SplitDate(serial);
    const std::string lower = Lower(pattern);
    const bool twelveHours =
        lower.find("am/pm") != std::string::npos || lower.find("a/p") != std::string::npos;
    std::string out;
    bool afterHour = false; // m right after an hour (literals between) is the minute
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        const std::size_t n = std::string_view("dmyhnswq").find(c) != std::string_view::npos
                                  ? RunLength(pattern, i, c)
                                  : 1;
        if (c == '"') {
            const std::size_t end = pattern.find('"', i + 1);
            out.append(pattern.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
            i = end == std::string_view::npos ? pattern.size() : end + 1;
            continue;
        }
        if (c == '\\' && i + 1 < pattern.size()) {
            out += pattern[i + 1];
            i += 2;
            continue;
        }
        if (StartsNoCase(pattern, i, "am/pm") || StartsNoCase(pattern, i, "a/p")) {
            const bool full = StartsNoCase(pattern, i, "am/pm");
            const bool upper = std::isupper(static_cast<unsigned char>(pattern[i])) != 0;
            std::string mark = p.hour < 12 ? (full ? "AM" : "A") : (full ? "PM" : "P");
            out += upper ? mark : Lower(mark);
            i += full ? 5 : 3;
            continue;
        }
        const int hour = twelveHours ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
        switch (c) {
        case 'd':
            out += n == 1   ? std::to_string(p.day)
                   : n == 2 ? TwoDigits(p.day)
                   : n == 3 ? std::string(kDayNames[p.weekday - 1]).substr(0, 3)
                   : n == 4 ? std::string(kDayNames[p.weekday - 1])
                   : n == 5 ? FormatDate(serial, "Short Date")
                            : FormatDate(serial, "Long Date");
            break;
        case 'm':
            if (afterHour && n <= 2) {
                out += n == 1 ? std::to_string(p.minute) : TwoDigits(p.minute);
            } else {
                out += n == 1   ? std::to_string(p.month)
                       : n == 2 ? TwoDigits(p.month)
                       : n == 3 ? std::string(kMonthNames[p.month - 1]).substr(0, 3)
                                : std::string(kMonthNames[p.month - 1]);
            }
            break;
        case 'y':
            out += n == 1 || n == 3
                       ? std::to_string(static_cast<int>(DaysFromCivil(p.year, p.month, p.day) -
                                                         DaysFromCivil(p.year, 1, 1) + 1))
                   : n == 2 ? TwoDigits(p.year % 100)
                            : std::to_string(p.year);
            break;
        case 'h':
            out += n == 1 ? std::to_string(hour) : TwoDigits(hour);
            break;
        case 'n':
            out += n == 1 ? std::to_string(p.minute) : TwoDigits(p.minute);
            break;
        case 's':
            out += n == 1 ? std::to_string(p.second) : TwoDigits(p.second);
            break;
        case 'w': {
            // ww: the week of the year, weeks starting on Sunday, 1 January in week 1.
            const std::int64_t dayOfYear =
                DaysFromCivil(p.year, p.month, p.day) - DaysFromCivil(p.year, 1, 1);
            const std::int64_t jan1 = (p.weekday - 1 - dayOfYear % 7 + 7) % 7;
            out +=
                std::to_string(n == 1 ? p.weekday : static_cast<int>((dayOfYear + jan1) / 7 + 1));
            break;
        }
        case 'q':
            out += std::to_string((p.month - 1) / 3 + 1);
            break;
        default:
            out += pattern[i];
            break;
        }
        if (std::string_view("dmyswq").find(c) != std::string_view::npos) {
            afterHour = false;
        } else if (c == 'h') {
            afterHour = true;
        }
        i += n;
    }
    return out;
}

} // namespace vek::basic
