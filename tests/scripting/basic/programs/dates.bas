' Dates and times: serial numbers as Visual Basic keeps them, DateSerial, DateAdd, DateDiff, the
' parts of a date and Format with date patterns. CStr writes dates as yyyy-mm-dd hh:nn:ss.
Sub Main()
    Dim d As Date, t, stamp
    d = DateSerial(2026, 12, 8)
    Debug.Print d; " "; CLng(d); " "; Weekday(d); " "; TypeName(d)  ' expect: 12/8/2026  46364   3  Date
    Debug.Print CLng(DateSerial(2000, 1, 1)); " "; CDbl(DateSerial(1899, 12, 30))  ' expect:  36526   0
    Debug.Print DateSerial(2024, 2, 30); " "; DateSerial(2026, 13, 1); " "; DateSerial(2026, 3, 0)
    ' expect: 3/1/2024 1/1/2027 2/28/2026
    Debug.Print DateSerial(99, 1, 1); " "; DateSerial(5, 1, 1)   ' expect: 1/1/1999 1/1/2005
    t = TimeSerial(18, 26, 24)
    Debug.Print t; " "; Hour(t); Minute(t); Second(t)     ' expect: 6:26:24 PM  18  26  24
    stamp = CDate("2026-12-08 18:26:24")
    Debug.Print stamp; " "; Year(stamp); Month(stamp); Day(stamp)  ' expect: 12/8/2026 6:26:24 PM  2026  12  8
    Debug.Print CDate("12/8/2026") = d; " "; DateValue(stamp) = d; " "; TimeValue(stamp) = t
    ' expect: True True True
    Debug.Print IsDate("2026-02-28"); IsDate("2026-02-30"); IsDate("hello"); IsDate(d)
    ' expect: TrueFalseFalseTrue
    Debug.Print d + 1; " "; d - 1; " "; stamp - d > 0.76  ' expect: 12/9/2026 12/7/2026 True
    Debug.Print DateAdd("m", 1, DateSerial(2026, 1, 31)); " "; DateAdd("yyyy", 1, DateSerial(2024, 2, 29))
    ' expect: 2/28/2026 2/28/2025
    Debug.Print DateAdd("d", -1, DateSerial(2026, 1, 1)); " "; DateAdd("h", 25, DateSerial(2026, 1, 1))
    ' expect: 12/31/2025 1/2/2026 1:00:00 AM
    Debug.Print DateAdd("n", 90, stamp); " "; DateAdd("ww", 2, d); " "; DateAdd("q", 1, d)
    ' expect: 12/8/2026 7:56:24 PM 12/22/2026 3/8/2027
    Debug.Print DateDiff("d", DateSerial(2026, 1, 1), d); " "; DateDiff("m", DateSerial(2026, 1, 31), DateSerial(2026, 2, 1))
    ' expect:  341   1
    Debug.Print DateDiff("yyyy", DateSerial(2025, 12, 31), DateSerial(2026, 1, 1)); " "; DateDiff("d", d, DateSerial(2026, 1, 1))
    ' expect:  1  -341
    Debug.Print DateDiff("h", TimeSerial(10, 59, 0), TimeSerial(11, 0, 0)); " "; DateDiff("s", d, stamp)
    ' expect:  1   66384
    Debug.Print DateDiff("ww", DateSerial(2026, 12, 5), DateSerial(2026, 12, 6)); " "; DateDiff("w", DateSerial(2026, 12, 5), DateSerial(2026, 12, 6))
    ' expect:  1   0
    Debug.Print Weekday(d, vbMonday); " "; Weekday(DateSerial(2026, 12, 6))   ' expect:  2   1
    Debug.Print Format(d, "dddd, d mmmm yyyy"); " | "; Format(stamp, "yy-mm-dd ddd q")
    ' expect: Tuesday, 8 December 2026 | 26-12-08 Tue 4
    Debug.Print Format(stamp, "hh:nn:ss"); " | "; Format(stamp, "h:mm AM/PM"); " | "; Format(stamp, "Short Date")
    ' expect: 18:26:24 | 6:26 PM | 12/8/2026
    Debug.Print Format(stamp, "yyyy\y mmm-dd ""at"" hh\h"); " | "; Format("2026-01-05", "d/m/yy"); " | "; Format(46364, "yyyy-mm-dd")
    ' expect: 2026y Dec-08 at 18h | 5/1/26 | 2026-12-08
    Debug.Print Format(stamp, "Long Date"); " | "; Format(stamp, "Medium Time")
    ' expect: Tuesday, December 8, 2026 | 06:26 PM
    d = "2026-06-30"
    Debug.Print d; " "; Format(d, "y ww")          ' expect: 6/30/2026 181 27
    Debug.Print TypeName(Now); " "; Int(Now) = Date; " "; Time < 1; " "; Timer >= 0  ' expect: Date True True True
    On Error Resume Next
    t = DateSerial(10000, 1, 1)
    Debug.Print Err.Number                           ' expect:  5
    Err.Clear
    t = DateAdd("x", 1, d)
    Debug.Print Err.Number                           ' expect:  5
    Err.Clear
    t = Year("not a date")
    Debug.Print Err.Number                           ' expect:  13
End Sub
