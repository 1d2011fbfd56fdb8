' Endless recursion ends in "Out of stack space", which On Error can catch in the caller; so are
' other errors deep in a recursion, after what the calls did to ByRef arguments.
Function Down(n)
    Down = Down(n + 1)
End Function

Function Fib(n)
    If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function

Function Deep(ByVal n As Long, ByRef hits As Long) As Long
    hits = hits + 1
    If n = 0 Then
        Deep = 1 \ 0
    Else
        Deep = Deep(n - 1, hits) + 1
    End If
End Function

Function Doubling(ByVal n As Integer) As Integer
    Doubling = Doubling(n * 2)
End Function

Function Countdown(ByRef n As Long) As Long
    If n > 0 Then
        n = n - 1
        Countdown = Countdown(n) + 1
    End If
End Function

Sub Main()
    Debug.Print Fib(20)                ' expect:  6765
    On Error Resume Next
    Dim hits As Long, r As Long, d As Integer, c As Long
    r = 5
    r = Deep(50, hits)
    Debug.Print Err.Number & " " & hits & " " & r   ' expect: 11 51 5
    Err.Clear
    d = Doubling(1)
    Debug.Print Err.Number & " " & d                ' expect: 6 0
    Err.Clear
    c = 1500
    Debug.Print Countdown(c) & " " & c              ' expect: 1500 0
    Dim x
    x = Down(0)
    Debug.Print Err.Number; " "; Err.Description   ' expect:  28  Out of stack space
    On Error GoTo 0
    x = Down(0)
End Sub
' expect error: 28 at 4
