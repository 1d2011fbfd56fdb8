' Erase: an array declared with its bounds keeps them and gets its first values again; a dynamic
' array is freed (UBound on it is error 9) until the next ReDim.
Dim g(2) As Long
Dim dyn() As String

Sub Main()
    Dim a(1 To 3) As Long, b() As Long, v(1), i As Long
    For i = 1 To 3: a(i) = i: Next
    ReDim b(5)
    b(2) = 7
    g(1) = 9: ReDim dyn(1): dyn(0) = "x"
    v(0) = "s"
    Erase a, b, g, dyn, v
    Debug.Print LBound(a) & UBound(a) & a(2) & "|" & g(1) & UBound(g) & "|[" & v(0) & "]" ' expect: 130|02|[]
    On Error Resume Next
    i = UBound(b)
    Debug.Print Err.Number                     ' expect:  9
    Err.Clear
    i = UBound(dyn)
    Debug.Print Err.Number                     ' expect:  9
    Err.Clear
    ReDim b(1): b(1) = 3
    Debug.Print b(1)                           ' expect:  3
    Dim notArray As Long
    Erase notArray
    Debug.Print Err.Number                     ' expect:  13
End Sub
