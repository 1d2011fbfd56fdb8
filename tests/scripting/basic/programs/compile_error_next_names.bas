' expect compile error: 6:13 expected Next i
Sub Main()
    Dim i, p
    For i = 1 To 2
        For p = 1 To 2
    Next p, q
End Sub
