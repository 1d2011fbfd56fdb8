' Integer arithmetic in a counted loop.
Sub Main()
    Dim i As Long, s As Long
    For i = 1 To 10000000
        s = (s + (i Mod 7) * 3 + i \ 5) Mod 1000003
    Next
    Print s
End Sub
