' Option Base 1: arrays declared without a lower bound begin at 1; Option Compare Binary is the
' default and may be written.
Option Explicit
Option Base 1
Option Compare Binary

Dim table(3) As Long

Sub Main()
    Dim m(2, 0 To 1), d(), i As Integer
    Debug.Print LBound(table); UBound(table); " "; LBound(m, 1); LBound(m, 2)  ' expect:  1  3   1  0
    ReDim d(4)
    Debug.Print LBound(d); UBound(d)       ' expect:  1  4
    For i = 1 To 3
        table(i) = i * 10
    Next
    Debug.Print table(1) + table(3)        ' expect:  40
    On Error Resume Next
    table(0) = 1
    Debug.Print Err.Number                 ' expect:  9
    ' Array begins at the Option Base; Split always at 0.
    Debug.Print LBound(Array(7, 8)); UBound(Array(7, 8)); Array(7, 8)(2); UBound(Array())   ' expect:  1  2  8  0
    Debug.Print LBound(Split("a b"))       ' expect:  0
    Debug.Print "a" < "B"                  ' expect: False
End Sub
