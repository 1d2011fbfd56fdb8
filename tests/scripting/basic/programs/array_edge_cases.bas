' Arrays: several dimensions, For Each, Preserve rules and element conversion.
Sub Main()
    Dim grid(1 To 2, 1 To 3) As Integer, r, c, n
    For r = 1 To 2
        For c = 1 To 3
            grid(r, c) = r * 10 + c
        Next
    Next
    For Each n In grid
        Debug.Print n; " ";
    Next
    Debug.Print                            ' expect:  11   21   12   22   13   23
    grid(1, 1) = "7"
    Debug.Print grid(1, 1) + 1             ' expect:  8
    On Error Resume Next
    grid(1, 1) = 40000
    Debug.Print Err.Number; grid(1, 1)     ' expect:  6  7
    Err.Clear
    ReDim Preserve grid(1 To 3, 1 To 3)
    Debug.Print Err.Number                 ' expect:  9
    Err.Clear
    Dim none()
    For Each n In none
        Debug.Print "never"
    Next
    Debug.Print Err.Number                 ' expect:  0
    Dim v
    v = 5
    Debug.Print v(0)
    Debug.Print Err.Number                 ' expect:  13
    Err.Clear
    ReDim w(2 To 4)
    w(4) = "last"
    Debug.Print LBound(w); UBound(w); w(4)   ' expect:  2  4 last
    ReDim w(-1)
    Debug.Print Err.Number                 ' expect:  9
    Err.Clear
    ' A dynamic array never sized joins to nothing; one of two dimensions is no list.
    Dim never() As String
    Debug.Print "[" & Join(never, ",") & "]"; Err.Number   ' expect: [] 0
    Dim joined: joined = Join(grid)
    Debug.Print Err.Number                 ' expect:  13
End Sub
