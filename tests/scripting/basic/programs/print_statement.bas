' Print and Debug.Print: ; joins, , moves to the next 14-column zone, a trailing ; continues. A
' number is written with the place of its sign before it and a blank after it, as VB's Print
' writes it; text, Booleans and dates are written as they are.
Sub Main()
    Print "a"; "b"                     ' expect: ab
    Print "a", "b"                     ' expect: a             b
    Debug.Print "x";
    Debug.Print "y"                    ' expect: xy
    Print                              ' expect:
    Print 1.5; True; Empty; "|"        ' expect:  1.5 True|
    Debug.Print "n=" & 3               ' expect: n=3
    Debug.Print 5; -5; "|"             ' expect:  5 -5 |
    Print 1, -2, "x"                   ' expect:  1            -2            x
    Dim n As Integer, d As Double: n = -7: d = 0.25
    Print "["; n; d; "]"; False; "]"   ' expect: [-7  0.25 ]False]
    Print CStr(5); Str(5); "|"         ' expect: 5 5|
End Sub
