' On Error Resume Next / GoTo label / GoTo 0, Resume, Resume Next and the Err object.
Function Divide(a, b)
    Divide = a / b
End Function

Function Safe(a, b)
    On Error GoTo failed
    Safe = Divide(a, b)
    Exit Function
failed:
    Safe = "error " & Err.Number & ": " & Err.Description
End Function

Sub Retry()
    Dim tries
    On Error GoTo handler
    ' A single-line If is one statement: Resume runs it again, test included.
    If tries < 2 Then Err.Raise 1000 + tries
    Debug.Print "done after "; tries
    Exit Sub
handler:
    Debug.Print "caught "; Err.Number
    tries = tries + 1
    Resume
End Sub

Sub Main()
    Debug.Print Safe(6, 3)                ' expect: 2
    Debug.Print Safe(1, 0)                ' expect: error 11: Division by zero
    On Error Resume Next
    Dim x
    x = 1 / 0
    Debug.Print Err.Number; " "; IsEmpty(x)   ' expect: 11 True
    Err.Clear
    Debug.Print Err.Number                ' expect: 0
    Err.Raise 5
    Debug.Print Err.Description           ' expect: Invalid procedure call or argument
    Err.Raise 123, "here", "custom text"
    Debug.Print Err.Number; Err.Source; Err.Description  ' expect: 123herecustom text
    Err.Number = 0
    On Error GoTo fix
    x = CLng("no number")
    ' expect: fixing 13
    Debug.Print "resumed, x="; x          ' expect: resumed, x=7
    Retry                                 ' expect: caught 1000
    ' expect: caught 1001
    ' expect: done after 2
    On Error GoTo 0
    Err.Raise 13
    Exit Sub
fix:
    Debug.Print "fixing "; Err.Number
    x = 7
    Resume Next
End Sub
' expect error: 13 at 49
