' Date literals between # signs: ISO dates, m/d/yyyy with or without a time, and times alone.
Const RELEASE = #2026-01-08#

Sub Main()
    Dim d As Date
    d = #1/8/2026 10:30#
    Debug.Print RELEASE; " "; TypeName(RELEASE); " "; d   ' expect: 1/8/2026 Date 1/8/2026 10:30:00 AM
    Debug.Print d - RELEASE; " "; #10:30:00 AM#; " "; #2:05 PM#   ' expect:  0.4375  10:30:00 AM 2:05:00 PM
    Debug.Print CLng(#1/1/2000#); " "; Year(#12/31/1999#) + 1      ' expect:  36526   2000
    Debug.Print DateDiff("d", RELEASE, #2026-02-01#); " "; #2026-01-08# = RELEASE   ' expect:  24  True
    ' # is still the sign of file numbers, also beside a date on the same line.
    Open "dates.txt" For Output As #1: Write #1, #3/4/2026#: Close #1
    Dim back
    Open "dates.txt" For Input As #1: Line Input #1, back: Close #1
    Kill "dates.txt"
    Debug.Print back                                   ' expect: #3/4/2026#
End Sub
