' The utility functions the program adds for all modules, run as written.
Sub Main()
    Dim v
    v = 5
    Debug.Print Inc(v); v                  ' expect:  6  6
    Debug.Print Dec(v); v                  ' expect:  5  5
    Dim r As Long
    r = 1
    Inc r
    Debug.Print r                          ' expect:  2
    v = 3
    Debug.Print LeftShift(v); v            ' expect:  6  6
    Debug.Print LeftShift(v, 4)            ' expect:  96
    v = &H80
    Debug.Print RightShift(v, 3)           ' expect:  16
    Debug.Print RightShift(7)              ' expect:  3
    Debug.Print Inc(41)                    ' expect:  42
    On Error Resume Next
    Debug.Print LeftShift(v, 0)
    Debug.Print Err.Number; " "; Err.Description
    ' expect:  99  LeftShift: Can't shift zero or negativ
    Err.Clear
    v = RightShift(v, -1)
    Debug.Print Err.Number; " "; Err.Description
    ' expect:  99  RightShift: Can't shift zero or negativ
    On Error GoTo 0
    Debug.Print LeftShift(1, 0)
End Sub
' expect error: 99 at 10
