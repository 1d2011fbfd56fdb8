' Conversion functions and Variant conversions.
Sub Main()
    Debug.Print CInt(2.5); CInt(3.5); CInt(-2.5)   ' expect:  2  4 -2
    Debug.Print CLng("123") + 1                   ' expect:  124
    Debug.Print CDbl("1.5") * 2                   ' expect:  3
    Debug.Print CStr(3.25) & "x"                  ' expect: 3.25x
    Debug.Print CBool(0); CBool(-3); CBool("True") ' expect: FalseTrueTrue
    Debug.Print Int(2.7); Int(-2.7); Fix(-2.7)     ' expect:  2 -3 -2
    Debug.Print Abs(-5); Abs(2.5); Sgn(-3); Sgn(0) ' expect:  5  2.5 -1  0
    Debug.Print Sqr(16)                            ' expect:  4
    Debug.Print Round(2.5); Round(3.5); Round(2.346, 2)  ' expect:  2  4  2.35
    Debug.Print IsNumeric("12"); IsNumeric("x"); IsNumeric(3)  ' expect: TrueFalseTrue
    Debug.Print Format(3.14159, "0.00"); " "; Format(5, "000"); " "; Format(1234567, "#,##0")
    ' expect: 3.14 005 1,234,567
    Debug.Print Format(0.5, "0%"); " "; Format(2, "Fixed"); " "; Format(True, "Yes/No")
    ' expect: 50% 2.00 Yes
    Debug.Print CInt("x")
End Sub
' expect error: 13 at 17
