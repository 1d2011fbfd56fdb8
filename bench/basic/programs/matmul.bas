' 100x100 Double matrices multiplied, three times.
Sub Main()
    Const N As Long = 100
    Dim a(N - 1, N - 1) As Double, b(N - 1, N - 1) As Double, c(N - 1, N - 1) As Double
    Dim i As Long, j As Long, k As Long, r As Long, sum As Double
    For i = 0 To N - 1
        For j = 0 To N - 1
            a(i, j) = (i + j) / N
            b(i, j) = (i - j) / N
        Next
    Next
    For r = 1 To 3
        For i = 0 To N - 1
            For j = 0 To N - 1
                sum = 0
                For k = 0 To N - 1
                    sum = sum + a(i, k) * b(k, j)
                Next
                c(i, j) = sum
            Next
        Next
    Next
    Print Format(c(10, 20), "0.000")
End Sub
