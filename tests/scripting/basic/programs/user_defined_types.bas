' User-defined types: members of every kind, nested types and arrays of them; assignment copies
' the whole value; records passed ByRef and ByVal; functions that return one.
Type Point
    x As Long
    y As Long
End Type

Private Type Segment
    name As String
    ends(1 To 2) As Point
    weights() As Double
    note
End Type

Dim origin As Point
Dim segments() As Segment

Sub Shift(p As Point, dx As Long)
    p.x = p.x + dx
End Sub

Sub ShiftCopy(ByVal p As Point)
    p.x = 99
End Sub

Function MakePoint(x As Long, y As Long) As Point
    MakePoint.x = x
    MakePoint.y = y
End Function

Function Length(s As Segment) As Double
    Length = Sqr((s.ends(2).x - s.ends(1).x) ^ 2 + (s.ends(2).y - s.ends(1).y) ^ 2)
End Function

Function Distance(a As Point, Optional b As Point) As Double
    Distance = Sqr((a.x - b.x) ^ 2 + (a.y - b.y) ^ 2)
End Function

Function LastPoint(p As Point) As Point
    Static previous As Point
    LastPoint = previous
    previous = p
End Function

Sub Main()
    Dim a As Point, b As Point
    Debug.Print a.x; a.y; " "; TypeName(a.x)        ' expect:  0  0  Long
    a.x = 3: a.y = 4
    b = a
    b.x = 10
    Debug.Print a.x; " "; b.x                       ' expect:  3   10
    Shift a, 2
    Debug.Print a.x                                 ' expect:  5
    ShiftCopy a
    Debug.Print a.x                                 ' expect:  5
    Inc a.y
    Debug.Print a.y                                 ' expect:  5
    Debug.Print Distance(MakePoint(3, 4)); " "; Distance(a, MakePoint(5, 5))   ' expect:  5   0
    b = MakePoint(7, 8)
    Debug.Print b.x + b.y; " "; MakePoint(1, 2).y   ' expect:  15   2
    origin.x = -1
    Debug.Print origin.x; origin.y                  ' expect: -1  0
    Debug.Print LastPoint(a).x; " "; LastPoint(b).x; " "; LastPoint(a).x   ' expect:  0   5   7

    ' Nested types and array members; a copy has its own arrays too.
    Dim s As Segment
    s.name = "diagonal"
    s.ends(1) = a
    s.ends(2).x = 8: s.ends(2).y = 9
    Debug.Print s.name; " "; Length(s)              ' expect: diagonal  5
    Debug.Print IsEmpty(s.note); " "; UBound(s.ends); " "; IsArray(s.weights)   ' expect: True  2  True
    ReDim s.weights(2)
    s.weights(1) = 0.5
    Dim t As Segment
    t = s
    t.weights(1) = 2
    t.ends(1).x = 0
    Debug.Print s.weights(1); " "; s.ends(1).x; " "; t.weights(1); " "; t.ends(1).x   ' expect:  0.5   5   2   0
    Shift s.ends(1), 1
    Debug.Print s.ends(1).x                         ' expect:  6

    ' Arrays of records, fixed and dynamic; ReDim Preserve keeps the records.
    Dim pts(2) As Point
    pts(1).x = 5
    pts(2) = pts(1)
    pts(1).x = 6
    Shift pts(0), 4
    Debug.Print pts(0).x; pts(1).x; pts(2).x; " "; UBound(pts)      ' expect:  4  6  5   2
    ReDim segments(1)
    segments(0) = s
    segments(1).name = "second"
    ReDim Preserve segments(3)
    segments(3).ends(2).y = 42
    Debug.Print segments(0).name; " "; segments(1).name; " "; segments(3).ends(2).y; " ["; segments(2).name; "]"
    ' expect: diagonal second  42  []
    Dim i As Integer, total As Long
    For i = LBound(segments) To UBound(segments)
        total = total + segments(i).ends(2).y
    Next
    Debug.Print total                               ' expect:  51
    ReDim extra(1) As Point
    extra(1).y = 2
    Debug.Print extra(1).y; " "; UBound(extra)      ' expect:  2   1
    On Error Resume Next
    segments(9).name = "lost"
    Debug.Print Err.Number; " "; UBound(segments)   ' expect:  9   3
End Sub
