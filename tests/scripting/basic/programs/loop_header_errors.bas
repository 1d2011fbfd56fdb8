' An error in the header of a loop under On Error skips the loop: its body never runs without
' the array or limits the header failed to give it. Jumping into a loop is error 92.
Function Items(n)
    If n > 0 Then Items = Array("a", "b")
End Function

Sub Main()
    Dim e, unset, count As Long
    On Error Resume Next
    For Each e In 5
        count = count + 1
    Next
    Debug.Print "not an array: " & Err.Number & " " & count       ' expect: not an array: 13 0
    Err.Clear
    For Each e In unset
        count = count + 1
    Next
    Debug.Print "unset: " & Err.Number & " " & count              ' expect: unset: 13 0
    Err.Clear
    For e = 1 To "many"
        count = count + 1
    Next
    Debug.Print "For: " & Err.Number & " " & count                ' expect: For: 13 0
    On Error GoTo handler
    For Each e In Items(0)
        count = count + 1
    Next
    Debug.Print "after the handler: " & count                     ' expect: handler 13
    ' expect: after the handler: 0
    For Each e In Items(1)
        count = count + 1
    Next
    Debug.Print "two items: " & count                             ' expect: two items: 2
    On Error GoTo 0
    GoTo inside
    For Each e In Items(1)
inside:
        count = count + 1
    Next
    Exit Sub
handler:
    Debug.Print "handler " & Err.Number
    Resume Next
End Sub
' expect error: 92 at 36
