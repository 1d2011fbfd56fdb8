' Comparisons give Booleans; strings compare by character code.
Sub Main()
    Debug.Print 1 < 2, 2 <= 2, 3 > 4, 4 >= 4, 5 = 5, 5 <> 5
    ' expect: True          True          False         True          True          False
    Debug.Print "abc" < "abd"          ' expect: True
    Debug.Print "B" < "a"              ' expect: True
    Debug.Print "10" = 10              ' expect: True
    Debug.Print 1.5 > 1                ' expect: True
    Dim e
    Debug.Print e = 0, e = ""          ' expect: True          True
    Debug.Print 1 < 2 And 2 < 3        ' expect: True
    Debug.Print Not 1 = 2              ' expect: True
    ' A Single beside a Double compares at the Single's precision; two Doubles do not.
    Dim s As Single, v, d As Double
    s = 0.06: v = 0.06: d = 0.06
    Debug.Print s < v; " "; s = d; " "; s = 0.06; " "; CDbl(s) = v   ' expect: False True True False
    Debug.Print s < 1E+300; " "; s > -1E+300                        ' expect: True True
End Sub
