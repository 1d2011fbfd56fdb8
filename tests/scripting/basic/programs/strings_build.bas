' Strings built piece by piece keep their values when copied on the way.
Sub Main()
    Dim s As String, copy, i
    For i = 1 To 5
        s = s & i
        If i = 3 Then copy = s
    Next
    Debug.Print s; " "; copy               ' expect: 12345 123
    Dim n As Long
    n = 7
    n = n & "1"
    Debug.Print n + 1                      ' expect:  72
    Dim t
    t = t & "x" & 1.5 & True
    Debug.Print t                          ' expect: x1.5True
End Sub
