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

Function AddTo(ByRef target As Long, ByVal amount As Long) As Long
    target = target + amount
    amount = 0
    AddTo = target
End Function

Sub Main()
    Dim v
    v = 1
    Level1 v
    Debug.Print v                      ' expect: 202
    shared_value = 5
    Level1 shared_value
    Debug.Print shared_value           ' expect: 210
    Dim p, q
    p = "left": q = "right"
    Swap p, q
    Debug.Print p; " "; q              ' expect: right left
    Dim n As Long, m As Long
    m = 5
    Debug.Print AddTo(n, m); n; m      ' expect: 555
    Dim s As String
    s = "a"
    For v = 1 To 3
        s = s & v
    Next
    Debug.Print s                      ' expect: a123
End Sub
