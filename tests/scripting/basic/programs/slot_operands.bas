' A variable's value used straight from its slot in an operation with a constant or in a
' comparison: locals, ByRef parameters (their caller's variable, an array element), Variants of
' every kind. Lines print strings only, so Print's spacing plays no part.
Sub CountDown(n As Long, steps As Long)
    Do While n > 0
        n = n - 1
        steps = steps + 1
    Loop
End Sub

Sub SetText(x As Long)
    x = "not a number"
End Sub

Function Order(a, b) As String
    If a < b Then
        Order = "<"
    ElseIf a > b Then
        Order = ">"
    ElseIf a = b Then
        Order = "="
    Else
        Order = "none"
    End If
End Function

Function Kind(v) As String
    Select Case v
        Case 1: Kind = "one"
        Case "b": Kind = "b"
        Case 2.5: Kind = "two and a half"
        Case Else: Kind = "other"
    End Select
End Function

Sub Main()
    Dim n As Long, steps As Long, a(3) As Long, v, w, i As Integer, l As Long
    Dim d As Double, s As String, b As Boolean
    n = 3
    CountDown n, steps
    Debug.Print "by reference: " & n & " " & steps           ' expect: by reference: 0 3
    a(2) = 5
    CountDown a(2), steps
    Debug.Print "element: " & a(2) & " " & steps             ' expect: element: 0 8

    Debug.Print Order(1, 2) & Order("b", "a") & Order(2.5, 2.5) ' expect: <>=
    Debug.Print Order(Null, 1) & " " & Order(Empty, 0)       ' expect: none =
    Debug.Print Kind(1) & " " & Kind("b") & " " & Kind(2.5) & " " & Kind(Null) ' expect: one b two and a half other
    Debug.Print Kind("B") & " " & Kind(1#)                   ' expect: other one

    On Error Resume Next
    l = 2147483647
    w = l + 1
    Debug.Print "Long + 1: " & Err.Number & " " & IsEmpty(w) ' expect: Long + 1: 6 True
    Err.Clear
    v = l
    w = v + 1
    Debug.Print "Variant + 1: " & TypeName(w) & " " & w       ' expect: Variant + 1: Double 2147483648
    i = 32767
    w = i * 2
    Debug.Print "Integer * 2: " & Err.Number & " " & w       ' expect: Integer * 2: 6 2147483648
    Err.Clear
    l = -2147483647 - 1
    w = l \ -1
    Debug.Print "\ -1: " & Err.Number & " " & w              ' expect: \ -1: 6 2147483648
    Err.Clear
    Debug.Print "Mod -1: " & (l Mod -1) & " " & (l \ 2)      ' expect: Mod -1: 0 -1073741824
    w = l Mod 0
    Debug.Print "Mod 0: " & Err.Number                        ' expect: Mod 0: 11
    Err.Clear
    l = 5
    d = l \ 2
    i = l * 3
    s = l + 1
    b = l - 5
    v = "text"
    v = l Mod 3
    Debug.Print "stored: " & d & " " & TypeName(i) & i & " " & TypeName(s) & s & " " & b & " " & TypeName(v) & v ' expect: stored: 2 Integer15 String6 False Long2
    i = l + 40000
    Debug.Print "into Integer: " & Err.Number & " " & i      ' expect: into Integer: 6 15
    Err.Clear
    l = 2147483647
    l = l + 1
    Debug.Print "into Long: " & Err.Number & " " & l         ' expect: into Long: 6 2147483647
    Err.Clear
    l = "not a number"
    Debug.Print "text into Long: " & Err.Number & " " & l    ' expect: text into Long: 13 2147483647
    Err.Clear
    SetText l
    Debug.Print "through ByRef: " & Err.Number & " " & l     ' expect: through ByRef: 13 2147483647
    Err.Clear
    v = "7"
    Debug.Print "text: " & (v + 1) & " " & (v Mod 4)          ' expect: text: 8 3
    v = Null
    Debug.Print "Null: " & IsNull(v - 1)                      ' expect: Null: True
End Sub
