' An array element passed to a ByRef parameter is passed by reference, as a variable is, also an
' element of a Variant array that is still Empty. An array whose element a running procedure
' holds that way is locked (error 10).
Sub Twice(x)
    x = x * 2
End Sub

Sub Exclaim(ByRef s As String)
    s = s & "!"
End Sub

Sub Keep(ByVal x)
    x = 0
End Sub

Sub Grow(arr() As Long, item As Long)
    item = 7
    ReDim arr(5)
End Sub

Sub Main()
    Dim a(3) As Long, v(2), m(1, 1) As Integer, words(1) As String, x, b() As Long, d() As Long
    a(1) = 21
    Twice a(1)
    Debug.Print "Long array: " & a(1)                         ' expect: Long array: 42
    Keep a(1)
    Debug.Print "ByVal: " & a(1)                              ' expect: ByVal: 42
    Twice (a(1))
    Debug.Print "parenthesized: " & a(1)                      ' expect: parenthesized: 42
    b = a
    Twice a(1)
    Debug.Print "a copy: " & a(1) & " " & b(1)                ' expect: a copy: 84 42
    v(0) = 5
    Twice v(0)
    Debug.Print "Variant array: " & v(0)                      ' expect: Variant array: 10
    Dec v(1)
    Debug.Print "Empty element: " & v(1) & " " & TypeName(v(1))
    ' expect: Empty element: -1 Integer
    Inc v(1)
    Inc v(1)
    Debug.Print "Inc: " & v(1)                                ' expect: Inc: 1
    x = 1
    Inc x
    Debug.Print "Inc x: " & x                                 ' expect: Inc x: 2
    m(1, 0) = 3
    Twice m(1, 0)
    Debug.Print "two dimensions: " & m(1, 0) & " " & m(0, 1)  ' expect: two dimensions: 6 0
    words(1) = "hi"
    Exclaim words(1)
    Debug.Print "String: " & words(1)                         ' expect: String: hi!
    ReDim d(2)
    On Error Resume Next
    Grow d, d(1)
    Debug.Print "locked: " & Err.Number & " " & d(1) & " " & UBound(d)
    ' expect: locked: 10 7 2
End Sub
