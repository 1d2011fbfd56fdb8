' Next with several names closes the loops innermost first, as in VBA.
Sub Main()
    Dim g, i, p, n
    For g = 1 To 2
        For i = 1 To 3
            For p = 1 To 2
                n = n + 1
    Next p, i, g
    Debug.Print n; " "; g; " "; i; " "; p      ' expect:  12   3   4   3
    For i = 1 To 2: For p = 1 To 2: n = n + 1: Next p, i
    Debug.Print n                              ' expect:  16
End Sub
