' With ... End With on records: .member reads and writes the object, With blocks nest, and the
' object's indices are taken once, when the block starts.
Type Point
    x As Long
    y As Long
End Type

Type Shape
    name As String
    corners(3) As Point
    center As Point
End Type

Function MakePoint(x As Long, y As Long) As Point
    With MakePoint
        .x = x
        .y = y
    End With
End Function

Sub Main()
    Dim shapes(1) As Shape, i As Integer
    With shapes(1)
        .name = "square"
        .corners(1).x = 2
        With .corners(2)
            .x = 3
            .y = .x + 1
        End With
        With .center
            .x = 10
        End With
        Debug.Print .name; " "; .corners(1).x; " "; .corners(2).y; " "; .center.x   ' expect: square  2   4   10
    End With
    Debug.Print shapes(1).corners(2).x; " "; shapes(0).name = ""   ' expect:  3  True
    i = 0
    With shapes(i)
        i = 1
        .name = "first"
    End With
    Debug.Print shapes(0).name; " "; shapes(1).name   ' expect: first square
    ' The object of a With may be a function's result: the block reads a copy.
    With MakePoint(2, 3)
        Debug.Print .x * .y                            ' expect:  6
    End With
    Dim p As Point
    p = MakePoint(4, 5)
    With p
        .x = .x + .y
    End With
    Debug.Print p.x                                    ' expect:  9
    ' Leaving a With early is fine.
    For i = 0 To 1
        With shapes(i)
            If .name = "first" Then Exit For
        End With
    Next
    Debug.Print i                                      ' expect:  0
End Sub
