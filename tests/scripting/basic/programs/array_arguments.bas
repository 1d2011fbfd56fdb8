' An array named with empty parentheses as an argument is the array itself, passed ByRef as the
' bare name is: a sort in a Sub reaches the caller's array.
Sub SortLongs(a() As Long)
    Dim i As Long, j As Long, t As Long
    For i = LBound(a) To UBound(a) - 1
        For j = i + 1 To UBound(a)
            If a(j) < a(i) Then t = a(i): a(i) = a(j): a(j) = t
        Next
    Next
End Sub

Sub Mark(v)
    v(0) = "changed"
End Sub

Function Total(ByVal a As Variant) As Long
    Dim x
    For Each x In a: Total = Total + x: Next
    a(0) = 0
End Function

Sub Main()
    Dim a(4) As Long
    a(0) = 5: a(1) = 3: a(2) = 9: a(3) = 1: a(4) = 7
    SortLongs a()
    Debug.Print a(0) & a(1) & a(2) & a(3) & a(4)  ' expect: 13579
    Dim b(2) As Long
    b(0) = 2: b(1) = 1
    Call SortLongs(b())
    Debug.Print b(0) & b(1) & b(2)                ' expect: 012
    Dim c(1)
    Mark c()
    Debug.Print c(0)                              ' expect: changed
    ' ByVal still takes a copy.
    Debug.Print Total(a()) & " " & a(0)           ' expect: 25 1
End Sub
