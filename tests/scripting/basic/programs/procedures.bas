' Subs, Functions, ByRef and ByVal, Optional with defaults, named arguments, recursion.
Sub Twice(ByRef x)
    x = x * 2
End Sub

Sub Untouched(ByVal x)
    x = x * 2
End Sub

Sub Forward(y)
    Twice y
End Sub

Function Add(a As Long, Optional b As Long = 10, Optional c = 100) As Long
    Add = a + b + c
End Function

Function Fact(n As Long) As Long
    If n <= 1 Then
        Fact = 1
    Else
        Fact = n * Fact(n - 1)
    End If
End Function

Private Function Greet(Optional name As String = "you") As String
    Greet = "hi " & name
    Exit Function
    Greet = "never"
End Function

Sub SetTyped(v)
    v = "12"
End Sub

Sub Main()
    Dim a
    a = 3
    Twice a
    Debug.Print a                      ' expect:  6
    Untouched a
    Debug.Print a                      ' expect:  6
    Forward a
    Debug.Print a                      ' expect:  12
    Twice (a)
    Debug.Print a                      ' expect:  12
    Call Twice(a)
    Debug.Print a                      ' expect:  24
    Debug.Print Add(1); Add(1, 2); Add(1, 2, 3)  ' expect:  111  103  6
    Debug.Print Add(1, c:=0)           ' expect:  11
    Debug.Print Add(c:=1, a:=2, b:=3)  ' expect:  6
    Debug.Print Fact(10)               ' expect:  3628800
    Debug.Print Greet(); " "; Greet("Bo")   ' expect: hi you hi Bo
    Dim n As Long
    SetTyped n
    Debug.Print n + 1                  ' expect:  13
    Dim arr(2)
    arr(1) = 5
    Twice arr(1)
    Debug.Print arr(1)                 ' expect:  10
End Sub
