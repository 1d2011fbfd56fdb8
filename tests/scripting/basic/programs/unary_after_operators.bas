' A prefix operator may follow any binary operator, as in VBA, and takes as its operand what
' binds at least as tightly as itself.
Sub Main()
    Dim b As Boolean: b = True
    Debug.Print "not b: " & Not b                  ' expect: not b: False
    Debug.Print 1 + Not 2; " "; 3 * Not 0          ' expect: -2  -3
    Debug.Print 1 + Not 2 And 3                    ' expect:  2
    Debug.Print "a" & -1; " "; 5 - -3; " "; 2 ^ -1 ' expect: a-1  8   0.5
    Debug.Print 1 = Not 0; " "; Not Not b          ' expect: False True
    Debug.Print 0 Or Not 1 = 2                     ' expect: -1
End Sub
