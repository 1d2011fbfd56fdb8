#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <string>
#include <string_view>

namespace vek::basic {

// Dates as Visual Basic keeps them: a serial number of days since 30 December 1899 whose fraction
// is the time of day. Before that day the whole part counts back while the fraction still counts
// forward (-1.25 is 29 December 1899, 6:00).
struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 7; // 1 Sunday ... 7 Saturday
};

// Years 100 to 9999, as Visual Basic accepts them.
inline constexpr double kFirstSerial = -657434; // 1 January 100
inline constexpr double kLastSerial = 2958465;  // 31 December 9999

DateParts SplitDate(double serial);
// A point in time counted straight on (days, the fraction the time) and back to a serial.
double SerialToLinear(double serial);
double LinearToSerial(double linear);
// The serial of a date; months and days past their end carry over (month 13 is January of the
// next year, day 0 the last day of the month before). False outside years 100 to 9999.
bool JoinDate(std::int64_t year, std::int64_t month, std::int64_t day, double& serial);
// Seconds as a fraction of a day.
double TimeFraction(std::int64_t hour, std::int64_t minute, std::int64_t second);

// Dates written yyyy-mm-dd or m/d/yyyy (d/m/yyyy when the first number is over 12), with or
// without a time hh:mm[:ss] [AM|PM], or a time alone.
bool ParseDate(std::string_view text, double& serial);
// A Date, a number, or a string ParseDate reads; error 13 otherwise.
RunError ToDate(const Variant& value, double& serial);
// The local time now as a serial.
double LocalNow();

// The text of a date as CStr and Print give it, in VBA's en-US default: m/d/yyyy h:mm:ss AM/PM,
// the date alone when its time is midnight, the time alone on day 0.
std::string DateText(double serial);
// Whether Format should take `pattern` as a date pattern (d, m, y, h, n, s, w, q, AM/PM or a
// named date format).
bool IsDatePattern(std::string_view pattern);
// Format with a date pattern: yyyy yy mmmm mmm mm m dddd ddd dd d hh h nn n ss s AM/PM am/pm,
// "quoted" and \escaped text, or the names General Date, Long Date, Medium Date, Short Date,
// Long Time, Medium Time, Short Time.
std::string FormatDate(double serial, std::string_view pattern);

} // namespace vek::basic
