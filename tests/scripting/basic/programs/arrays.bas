' Arrays with bounds, ReDim Preserve, UBound/LBound, Split/Join and value semantics.
Sub Fill(a() As Long)
    Dim i
    For i = LBound(a) To UBound(a)
        a(i) = i * i
    Next
End Sub

Sub Main()
    Dim a(3) As Long
    Fill a
    Debug.Print a(0); a(1); a(2); a(3)     ' expect:  0  1  4  9
    Dim b(1 To 2, 0 To 2)
    b(2, 1) = "x"
    Debug.Print LBound(b); UBound(b); LBound(b, 2); UBound(b, 2); b(2, 1)  ' expect:  1  2  0  2 x
    Dim d() As String
    ReDim d(2)
    d(0) = "a": d(1) = "b": d(2) = "c"
    ReDim Preserve d(4)
    d(4) = "e"
    Debug.Print Join(d, "-")               ' expect: a-b-c--e
    ReDim d(1)
    Debug.Print "[" & d(0) & "]"; UBound(d)   ' expect: [] 1
    Dim parts
    parts = Split("x,y,z", ",")
    Debug.Print UBound(parts); parts(2)    ' expect:  2 z
    Debug.Print Join(Split("a b c"))       ' expect: a b c
    Dim c
    c = a
    c(1) = 100
    Debug.Print a(1); c(1)                 ' expect:  1  100
    Dim v
    v = Array(1, 2, 3)
    Debug.Print IsArray(v); UBound(v)      ' expect: True 2
    Debug.Print TypeName(a)                ' expect: Long()
    Dim e()
    On Error Resume Next
    Debug.Print UBound(e)
    Debug.Print Err.Number                 ' expect:  9
    On Error GoTo 0
    Debug.Print a(4)
End Sub
' expect error: 9 at 41
