' A function may return an array of a type: As String(), As Long(), As Variant(), As a
' user-defined type(); the caller takes it whole, passes it on or indexes the call's result.
Type Pair
    a As Long
    b As String
End Type

Function Words() As String()
    Words = Split("a b c")
End Function

Function Squares(n As Long) As Long()
    Dim r() As Long, i As Long
    ReDim r(1 To n)
    For i = 1 To n: r(i) = i * i: Next
    Squares = r
End Function

Function Mixed() As Variant()
    Mixed = Array(1, "two", 3.5)
End Function

Function Pairs() As Pair()
    Dim p(1) As Pair
    p(0).a = 1: p(1).b = "x"
    Pairs = p
End Function

Function Never() As String()
End Function

Sub Main()
    Debug.Print Join(Words(), ",")                      ' expect: a,b,c
    Dim s() As Long
    s = Squares(4)
    Debug.Print UBound(s) & " " & s(4)                  ' expect: 4 16
    Debug.Print Squares(3)(2) & " " & TypeName(Squares(1)) ' expect: 4 Long()
    Debug.Print Mixed()(1) & " " & UBound(Mixed())      ' expect: two 2
    Dim q() As Pair
    q = Pairs()
    Debug.Print q(0).a & q(1).b                         ' expect: 1x
    Debug.Print "[" & Join(Never(), ",") & "]"          ' expect: []
End Sub
