' Tab(n) and Spc(n) in a Print list: Tab moves to column n (on the next line when the line is past
' it), Spc writes n blanks, Tab alone moves to the next 14-column zone as "," does; in Print # too.
Sub Main()
    Debug.Print "ab"; Tab(5); "c"; Spc(2); "d"      ' expect: ab  c  d
    Debug.Print "abcdef"; Tab(3); "x"
    ' expect: abcdef
    ' expect:   x
    Debug.Print Tab(4); 1, Spc(0); "y"              ' expect:     1         y
    Print "a"; Spc(-3); "b"; Tab; "c"               ' expect: ab            c
    Print Tab(0); "first"                           ' expect: first
    Dim n As Long: n = 3
    Print "[" ; Spc(n); "]"; Tab(n + 5); "|"        ' expect: [   ]  |
    Dim line
    Open "vek_tab_spc.txt" For Output As #1
    Print #1, "ab"; Tab(5); "c"; Spc(2); "d"
    Print #1, "abcdef"; Tab(3); "x"; Tab; "z"
    Close #1
    Open "vek_tab_spc.txt" For Input As #1
    Do While Not EOF(1)
        Line Input #1, line
        Debug.Print "<" & line & ">"
    Loop
    Close #1
    Kill "vek_tab_spc.txt"
    ' expect: <ab  c  d>
    ' expect: <abcdef>
    ' expect: <  x           z>
End Sub

