' Tab(n) and Spc(n) in a Print list: Tab moves to column n (on the next line when the line is past
' it), Spc writes n blanks, Tab alone moves to the next 14-column zone as "," does.
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
End Sub

