' Errors travel up to the nearest caller with a handler; an error inside a handler goes up too,
' and the handler stays active (new errors are not its own) until Resume.
Sub Inner()
    Err.Raise 501, , "from inner"
End Sub

Sub Middle()
    On Error GoTo handler
    Inner
    Exit Sub
handler:
    Debug.Print "middle saw "; Err.Number   ' expect: middle saw  501
    Err.Raise 502, , "from handler"
End Sub

Sub Main()
    On Error GoTo outer
    Middle
    Debug.Print "not here"
    Exit Sub
outer:
    Debug.Print "main saw "; Err.Number; " "; Err.Description   ' expect: main saw  502  from handler
    Resume go_on
go_on:
    On Error Resume Next
    Dim i, total
    For i = 1 To 4
        total = total + 10 \ (i - 2)
    Next
    Debug.Print total; " "; Err.Number        ' expect:  5   11
    On Error GoTo 0
    Resume Next
End Sub
' expect error: 20 at 32
