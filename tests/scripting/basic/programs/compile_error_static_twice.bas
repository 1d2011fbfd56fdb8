' expect compile error: 4:12 duplicate declaration: n
Sub Main()
    Static n
    Static n
End Sub
