' expect compile error: 6:5 argument not optional: b of Two
Sub Two(a, b)
End Sub

Sub Main()
    Two 1
End Sub
