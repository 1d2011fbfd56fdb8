' ByRef arguments through nested calls, module variables and typed variables.
Dim shared_value

Sub Level3(c)
    c = c + 100
End Sub

Sub Level2(b)
    Level3 b
    b = b * 2
End Sub

Sub Level1(a)
    Level2 a
End Sub

Sub Swap(x, y)
    Dim t
    t = x: x = y: y = t
End Sub

Sub Bump(ByRef v As Long)
    v = v + 1
End Sub

Sub BumpTwice(ByRef v As Long)
    Bump v
    Bump v
End Sub

Sub BumpAll(ByRef a As Long, ByRef b As Long, ByRef c As Long)
    BumpTwice a
    BumpTwice b: Bump b
    BumpTwice c: BumpTwice c
End Sub

' ByVal and ByRef mixed in a recursion: the total is the caller's variable at every depth.
Function SumDown(ByVal n As Long, ByRef total As Long) As Long
    If n = 0 Then
        SumDown = total
    Else
        total = total + n
        n = -1
        SumDown = SumDown(Abs(n) * 0 + total \ 100, total)
    End If
End Function

Function Tarai(x As Long, y As Long, z As Long) As Long
    If x <= y Then Tarai = y Else Tarai = Tarai(Tarai(x - 1, y, z), Tarai(y - 1, z, x), Tarai(z - 1, x, y))
End Function

Function Half(ByVal x As Long) As Long
    Half = x \ 2
End Function

Function KindOf(x As Long) As String
    KindOf = TypeName(x) & x
End Function

Function AddTo(ByRef target As Long, ByVal amount As Long) As Long
    target = target + amount
    amount = 0
    AddTo = target
End Function

Sub Main()
    Dim v
    v = 1
    Level1 v
    Debug.Print v                      ' expect:  202
    shared_value = 5
    Level1 shared_value
    Debug.Print shared_value           ' expect:  210
    Dim p, q
    p = "left": q = "right"
    Swap p, q
    Debug.Print p; " "; q              ' expect: right left
    Dim n As Long, m As Long
    m = 5
    Debug.Print AddTo(n, m); n; m      ' expect:  5  5  5
    Dim s As String
    s = "a"
    For v = 1 To 3
        s = s & v
    Next
    Debug.Print s                      ' expect: a123
    Dim k As Long, arr(2) As Long, i1 As Long, i2 As Long, i3 As Long
    BumpTwice k
    Debug.Print "two levels: " & k                            ' expect: two levels: 2
    BumpAll i1, i2, i3
    Debug.Print "three levels: " & i1 & i2 & i3               ' expect: three levels: 234
    BumpAll arr(0), arr(1), arr(2)
    Debug.Print "elements: " & arr(0) & arr(1) & arr(2)       ' expect: elements: 234
    BumpAll k, k, k
    Debug.Print "one variable three times: " & k              ' expect: one variable three times: 11
    Dim total As Long
    total = 50
    Debug.Print SumDown(7, total) & " " & total               ' expect: 57 57
    Debug.Print Tarai(12, 6, 0) & " " & Tarai(8, 4, 0)        ' expect: 12 8
    Debug.Print Half(Half(20) + Half(Half(20)))               ' expect:  7
    Dim small As Integer
    small = 4
    Debug.Print KindOf(5) & " " & KindOf(2.6) & " " & KindOf(small + 1) & " " & KindOf(k)
    ' expect: Long5 Long3 Long5 Long11
End Sub
