' expect compile error: 3:13 expected an expression
Sub Main()
    x = 1 + Not 2
End Sub
