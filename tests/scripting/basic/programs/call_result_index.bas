' The result of a call can be indexed at once, and an array held in an array likewise.
Function Pair(a, b)
    Pair = Array(a, b)
End Function

Sub Main()
    Dim s, grid
    s = "speed=fast"
    Debug.Print Split(s, "=")(1)                              ' expect: fast
    Debug.Print CStr(Array(1, 2, 3)(2))                       ' expect: 3
    Debug.Print Pair("x", "y")(0) & Pair(1, 2)(1)             ' expect: x2
    Debug.Print Split("a b c")(UBound(Split("a b c")))        ' expect: c
    grid = Array(Array(1, 2), Array(3, 4))
    Debug.Print CStr(grid(1)(0)) & CStr(grid(0)(1))           ' expect: 32
    On Error Resume Next
    Debug.Print Split(s, "=")(2)
    Debug.Print "past the end: " & Err.Number                 ' expect: past the end: 9
End Sub
