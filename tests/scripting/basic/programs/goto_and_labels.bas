' GoTo to labels within a procedure, including numeric labels.
Sub Main()
    Dim i
    i = 0
again:
    i = i + 1
    If i < 3 Then GoTo again
    Debug.Print i                      ' expect:  3
    GoTo skip
    Debug.Print "never"
skip: Debug.Print "after skip"         ' expect: after skip
    GoTo 100
    Debug.Print "never"
100 Debug.Print "numbered"             ' expect: numbered
End Sub
