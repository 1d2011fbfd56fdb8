' Recursion with three arguments (Takeuchi's function).
Function Tak(x As Long, y As Long, z As Long) As Long
    If y < x Then
        Tak = Tak(Tak(x - 1, y, z), Tak(y - 1, z, x), Tak(z - 1, x, y))
    Else
        Tak = z
    End If
End Function

Sub Main()
    Print Tak(24, 16, 8)
End Sub
