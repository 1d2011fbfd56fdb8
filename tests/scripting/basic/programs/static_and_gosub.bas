' Static variables keep their values from call to call; GoSub and Return within a procedure.
Function NextId()
    Static count As Long
    count = count + 1
    NextId = count
End Function

Sub Remember(x)
    Static seen(2), n
    If n > 2 Then Exit Sub
    seen(n) = x
    n = n + 1
    If n = 3 Then Debug.Print seen(0); seen(1); seen(2)
End Sub

Function Other()
    ' A Static of the same name in another procedure is another variable.
    Static count
    count = count + 10
    Other = count
End Function

Function Report(value)
    Dim text
    text = "["
    GoSub AddValue
    value = value * 2
    GoSub AddValue
    Report = text & "]"
    Exit Function
AddValue:
    text = text & value & ";"
    Return
End Function

Sub Nested()
    Dim depth
    GoSub Outer
    Debug.Print "back at"; depth
    Exit Sub
Outer:
    depth = 1
    GoSub Inner
    Return
Inner:
    depth = depth + 1
    Return
End Sub

Sub ReturnAlone()
    Return
End Sub

Sub LeaveWithoutReturn()
    GoSub away
    Exit Sub
away:
    Exit Sub
End Sub

Sub Main()
    Debug.Print NextId(); NextId(); NextId()   ' expect:  1  2  3
    Debug.Print Other(); Other(); NextId()     ' expect:  10  20  4
    Remember "a": Remember "b": Remember "c": Remember "d"   ' expect: abc
    If True Then
        Static flag As Boolean
        flag = Not flag
    End If
    Debug.Print flag                           ' expect: True
    Debug.Print Report(21)                     ' expect: [21;42;]
    Nested                                     ' expect: back at 2
    On Error Resume Next
    ReturnAlone
    Debug.Print Err.Number; " "; Err.Description   ' expect:  3  Return without GoSub
    Err.Clear
    ' A GoSub left with Exit Sub is forgotten: the Return of another call finds none.
    LeaveWithoutReturn
    ReturnAlone
    Debug.Print Err.Number                     ' expect:  3
End Sub
