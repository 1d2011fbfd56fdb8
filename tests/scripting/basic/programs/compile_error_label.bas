' expect compile error: 3:5 label not defined: nowhere
Sub Main()
    GoTo nowhere
End Sub
