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

' Resume Next after an error in the last statement of a block goes on past the block's end.
Function Guarded(ByVal n As Long) As String
    Dim text As String
    On Error Resume Next
    If n < 2 Then
        text = "then " & (1 \ 0)
    Else
        text = "else"
    End If
    Select Case n
        Case 1
            text = text & "one " & (1 \ 0)
        Case Else
            text = text & ", other"
    End Select
    Guarded = text
End Function

' ... and for the last statement of a loop, on with the loop.
Function Looped() As String
    On Error Resume Next
    Dim i As Long, seen As String
    Do While i < 3
        i = i + 1
        seen = seen & i & CStr(1 \ (i - 2))
    Loop
    Looped = seen
End Function

Sub Main()
    Debug.Print Safe(6, 3)                ' expect:  2
    Debug.Print Safe(1, 0)                ' expect: error 11: Division by zero
    On Error Resume Next
    Dim x
    x = 1 / 0
    Debug.Print Err.Number; " "; IsEmpty(x)   ' expect:  11  True
    Err.Clear
    Debug.Print Err.Number                ' expect:  0
    Err.Raise 5
    Debug.Print Err.Description           ' expect: Invalid procedure call or argument
    Err.Raise 123, "here", "custom text"
    Debug.Print Err.Number; Err.Source; Err.Description  ' expect:  123 herecustom text
    Err.Number = 0
    On Error GoTo fix
    x = CLng("no number")
    ' expect: fixing  13
    Debug.Print "resumed, x="; x          ' expect: resumed, x= 7
    Retry                                 ' expect: caught  1000
    ' expect: caught  1001
    ' expect: done after  2
    Debug.Print "[" & Guarded(1) & "] [" & Guarded(5) & "] " & Looped()
    ' expect: [] [else, other] 1-131
    On Error GoTo 0
    Err.Raise 13
    Exit Sub
fix:
    Debug.Print "fixing "; Err.Number
    x = 7
    Resume Next
End Sub
' expect error: 13 at 80
