' For with Step, For Each, Do with While/Until at both ends, While/Wend and Exit.
Sub Main()
    Dim i, s
    For i = 1 To 5
        s = s & i
    Next i
    Debug.Print s; " "; i                  ' expect: 12345  6
    s = ""
    For i = 10 To 1 Step -3
        s = s & i & ","
    Next
    Debug.Print s                          ' expect: 10,7,4,1,
    s = ""
    For i = 0 To 1 Step 0.25
        s = s & i & " "
    Next
    Debug.Print s                          ' expect: 0 0.25 0.5 0.75 1
    For i = 5 To 1
        Debug.Print "never"
    Next
    Dim item
    s = ""
    For Each item In Array(1, "two", 3.5)
        s = s & item & ";"
    Next
    Debug.Print s                          ' expect: 1;two;3.5;
    i = 0
    Do While i < 3
        i = i + 1
    Loop
    Debug.Print i                          ' expect:  3
    Do
        i = i - 1
    Loop Until i <= 0
    Debug.Print i                          ' expect:  0
    Do Until i = 4
        i = i + 2
    Loop
    Debug.Print i                          ' expect:  4
    Do
        i = i + 1
    Loop While i < 2
    Debug.Print i                          ' expect:  5
    While i > 0
        i = i - 2
    Wend
    Debug.Print i                          ' expect: -1
    For i = 1 To 100
        If i = 7 Then Exit For
    Next
    Debug.Print i                          ' expect:  7
    Do
        i = i * 2
        If i > 50 Then Exit Do
    Loop
    Debug.Print i                          ' expect:  56
    Dim j, n
    For i = 1 To 3
        For j = 1 To 3
            If j = 2 Then Exit For
            n = n + 1
        Next
    Next
    Debug.Print n                          ' expect:  3
    Dim k As Integer
    For k = 1 To 3: n = n + k: Next
    Debug.Print n                          ' expect:  9
End Sub
