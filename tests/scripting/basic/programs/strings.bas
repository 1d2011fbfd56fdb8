' String functions.
Sub Main()
    Dim s As String
    s = "Hello, World"
    Debug.Print Len(s)                     ' expect:  12
    Debug.Print Left(s, 5); "|"; Right(s, 5)  ' expect: Hello|World
    Debug.Print Mid(s, 8); "|"; Mid(s, 8, 3)  ' expect: World|Wor
    Debug.Print Mid$(s, 50) = ""           ' expect: True
    Debug.Print InStr(s, "o"); InStr(6, s, "o"); InStr(s, "z")  ' expect:  5  9  0
    Debug.Print InStrRev(s, "o")           ' expect:  9
    Debug.Print UCase(s); LCase("ABC")     ' expect: HELLO, WORLDabc
    Debug.Print "[" & Trim("  a b  ") & "][" & LTrim("  a ") & "][" & RTrim(" a  ") & "]"
    ' expect: [a b][a ][ a]
    Debug.Print "[" & Space(3) & "]"       ' expect: [   ]
    Debug.Print String(3, "ab"); String(2, 65)  ' expect: aaaAA
    Debug.Print Chr(72) & Chr(105); Asc("A")  ' expect: Hi 65
    Debug.Print Hex(255); " "; Hex(-1); " "; Hex(-1&); " "; Oct(8)  ' expect: FF FFFF FFFFFFFF 10
    Debug.Print "[" & Str(42) & "][" & Str(-3) & "]"  ' expect: [ 42][-3]
    Debug.Print Val("  12.5abc"); " "; Val("&H1F"); " "; Val("x")  ' expect:  12.5   31   0
    Debug.Print Replace("a-b-c", "-", "+") ' expect: a+b+c
    Debug.Print StrComp("a", "b"); StrComp("b", "b")  ' expect: -1  0
    Debug.Print "say ""hi"""               ' expect: say "hi"
    Debug.Print StrReverse("abc")          ' expect: cba
    Debug.Print Len(123)                   ' expect:  3
End Sub
