' Declared types convert what is stored in them; Variants keep what they get.
Option Explicit

Sub Main()
    Dim i As Integer, l As Long, s As String, d As Double, b As Boolean, v
    Dim f As Single
    Debug.Print i; l; "["; s; "]"; d; b; IsEmpty(v)   ' expect:  0  0 [] 0 FalseTrue
    i = 2.5
    Debug.Print i                      ' expect:  2
    i = 3.5
    Debug.Print i                      ' expect:  4
    l = "42"
    Debug.Print l + 1                  ' expect:  43
    s = 12.5
    Debug.Print s & "!"                ' expect: 12.5!
    b = 5
    Debug.Print b                      ' expect: True
    d = 1 / 4
    Debug.Print d                      ' expect:  0.25
    f = 1 / 3
    Debug.Print f                      ' expect:  0.3333333
    v = "text"
    Debug.Print TypeName(v)            ' expect: String
    v = 1
    Debug.Print TypeName(v)            ' expect: Integer
    Dim n%, t$
    n = 7: t = "x"
    Debug.Print TypeName(n); TypeName(t)  ' expect: IntegerString
    Dim free(2), longs(2) As Long, nothing
    Debug.Print TypeName(free); TypeName(longs); TypeName(nothing)  ' expect: Variant()Long()Empty
End Sub
