' Inside a function its own name without parentheses is the value assigned so far: read on the
' right of "=", as an argument, passed ByRef; with parentheses and arguments it is a call.
Function Acc() As String
    Acc = "x"
    Acc = Acc & "y"
    Acc = Acc & Len(Acc)
End Function

Function Twice(n As Long) As Long
    Twice = n
    Twice = Twice * 2
    If n > 1 Then Twice = Twice + Twice(n - 1)
End Function

Sub AddOne(ByRef v)
    v = v + 1
End Sub

Function Counted() As Long
    Counted = 40
    AddOne Counted
    AddOne Counted
End Function

Function Untyped(s)
    Untyped = s
    Untyped = Untyped & Untyped
End Function

Sub Main()
    Debug.Print Acc()          ' expect: xy2
    Debug.Print Twice(3)       ' expect:  12
    Debug.Print Counted()      ' expect:  42
    Debug.Print Untyped("ab")  ' expect: abab
End Sub
