' Fields of comma-separated lines taken apart with InStr and Mid, 20,000 lines.
Sub Main()
    Dim line As String, i As Long, k As Long, start As Long, comma As Long, total As Long
    For i = 1 To 20
        line = line & CStr(i * 37) & ","
    Next
    For k = 1 To 20000
        start = 1
        Do
            comma = InStr(start, line, ",")
            If comma = 0 Then Exit Do
            total = total + CLng(Mid(line, start, comma - start))
            start = comma + 1
        Loop
    Next
    Print total
End Sub
