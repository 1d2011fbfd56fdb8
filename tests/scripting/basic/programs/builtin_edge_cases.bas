' Edge cases of built-in functions: empty strings, bounds and invalid arguments.
Function ErrorOf(code)
    On Error Resume Next
    Select Case code
        Case 1: x = Mid("abc", 0)
        Case 2: x = Left("abc", -1)
        Case 3: x = Chr(256)
        Case 4: x = Asc("")
        Case 5: x = Sqr(-1)
        Case 6: x = Join("not an array")
        Case 7: x = UBound(Array(1), 2)
        Case 8: x = Log(0)
        Case 9: x = String(-1, "a")
        Case 10: x = Space(1E+100)
    End Select
    ErrorOf = Err.Number
End Function

Sub Main()
    Dim i, codes
    For i = 1 To 10
        codes = codes & ErrorOf(i) & " "
    Next
    Debug.Print codes                      ' expect: 5 5 5 5 5 13 9 5 5 6
    Debug.Print "[" & Mid("abc", 2, 0) & "][" & Left("", 3) & "][" & Right("ab", 9) & "]"
    ' expect: [][][ab]
    Debug.Print InStr(4, "abc", "c"); InStr("abc", ""); InStrRev("abcabc", "bc", 4)   ' expect:  0  1  2
    Dim parts
    parts = Split("a,b,c,d", ",", 2)
    Debug.Print UBound(parts); " "; parts(1)   ' expect:  1  b,c,d
    parts = Split("")
    Debug.Print UBound(parts)              ' expect: -1
    Debug.Print Replace("aaa", "a", "bb"); " "; Replace("abc", "", "x")   ' expect: bbbbbb abc
    Debug.Print Hex(CInt(-32768)); " "; Hex(65535); " "; Oct(-1)   ' expect: 8000 FFFF 177777
    Debug.Print Abs(-32768); " "; TypeName(Abs(-32768))      ' expect:  32768  Long
    Debug.Print Int(-0.5); " "; Fix(-0.5); " "; Sgn(-0.1)    ' expect: -1   0  -1
    Debug.Print VarType("s"); VarType(1&); VarType(Array())  ' expect:  8  3  8204
    Debug.Print TypeName(Empty); " "; IsEmpty(""); " "; IsNumeric("1e3")   ' expect: Empty False True
End Sub
