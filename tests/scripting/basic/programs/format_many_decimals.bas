' Format works from the digits a number shows, as Visual Basic does: 15 of a Double, 7 of a
' Single, rounded half away from zero; places beyond them are zeros, so any number of places and
' any size of number give digits.
Sub Main()
    Dim many As String
    many = "0." & String(400, "0")
    Debug.Print Format(1 / 3, "0." & String(20, "0"))       ' expect: 0.33333333333333300000
    Debug.Print Len(Format(1 / 3, many)); " "; Left(Format(-2.5, many), 6); " "; Right(Format(-2.5, many), 3)   ' expect:  402  -2.500 000
    Debug.Print Len(Format(1E-300, "0." & String(310, "#"))); " "; Right(Format(1E-300, "0." & String(310, "#")), 3)   ' expect:  302  001
    Debug.Print Format(123456789012345678#, "#,##0")        ' expect: 123,456,789,012,346,000
    Debug.Print Len(Format(1E+308, "0.00%")); " "; Left(Format(-1E+308, "0.00%"), 4)   ' expect:  315  -100
    Debug.Print Format(2.675, "0.00"); " "; Format(0.0006, "0.000"); " "; Format(9.9996, "0.000")   ' expect: 2.68 0.001 10.000
    Debug.Print Format(-0.0004, "0.000"); " "; Format(0, "0.00"); " "; Format(0.5, "#"); " ["; Format(0.4, "#"); "]"   ' expect: 0.000 0.00 1 []
    Debug.Print Format(CSng(1 / 3), "0.0000000000"); " "; Format(1 / 3, "0.0000000000")   ' expect: 0.3333333000 0.3333333333
    Debug.Print Format(3.14159, "0.00"); " "; Format(1234567.891, "Standard"); " "; Format(0.123, "Percent")   ' expect: 3.14 1,234,567.89 12.30%
End Sub
