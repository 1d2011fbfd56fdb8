' Bubble sort of pseudo-random numbers.
Sub Main()
    Const N = 4000
    Dim a(1 To N) As Long
    Dim i As Long, j As Long, t As Long, seed As Long
    seed = 12345
    For i = 1 To N
        seed = (seed * 1103 + 12345) Mod 65536
        a(i) = seed
    Next
    For i = N - 1 To 1 Step -1
        For j = 1 To i
            If a(j) > a(j + 1) Then
                t = a(j): a(j) = a(j + 1): a(j + 1) = t
            End If
        Next
    Next
    Print a(1); " "; a(N)
End Sub
