' Endless recursion ends in "Out of stack space", which On Error can catch in the caller.
Function Down(n)
    Down = Down(n + 1)
End Function

Function Fib(n)
    If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function

Sub Main()
    Debug.Print Fib(20)                ' expect: 6765
    On Error Resume Next
    Dim x
    x = Down(0)
    Debug.Print Err.Number; " "; Err.Description   ' expect: 28 Out of stack space
    On Error GoTo 0
    x = Down(0)
End Sub
' expect error: 28 at 3
