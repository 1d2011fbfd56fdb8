' Building strings piece by piece: 200 strings of 2500 characters.
Sub Main()
    Dim i As Long, k As Long, s As String
    For k = 1 To 200
        s = ""
        For i = 1 To 2500
            s = s & Chr(65 + i Mod 26)
        Next
    Next
    Print Len(s); Mid(s, 1000, 5)
End Sub
