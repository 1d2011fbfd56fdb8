' IIf, Choose and Switch; the compare argument of InStr, InStrRev, Replace and StrComp; DoEvents.
Function Inverse(x)
    ' Both branches of IIf are evaluated, as in Visual Basic.
    On Error Resume Next
    Inverse = IIf(x <> 0, 1 / x, 0)
    If Err.Number <> 0 Then Inverse = "error " & Err.Number
End Function

Sub Main()
    Debug.Print IIf(3 > 2, "yes", "no"); " "; IIf(0, "yes", "no")   ' expect: yes no
    Debug.Print Inverse(4); " "; Inverse(0)          ' expect:  0.25  error 11
    Debug.Print Choose(2, "a", "b", "c"); Choose(3, "a", "b", "c")  ' expect: bc
    Debug.Print IsNull(Choose(4, "a", "b", "c")); " "; IsNull(Choose(0, "a"))  ' expect: True True
    Debug.Print Choose(1.4, "a", "b"); Choose(1.6, "a", "b")        ' expect: ab
    Dim n
    n = 7
    Debug.Print Switch(n < 5, "small", n < 10, "medium", True, "large")  ' expect: medium
    Debug.Print IsNull(Switch(n > 100, "huge"))      ' expect: True
    Debug.Print InStr(1, "Register CTRL", "ctrl"); InStr(1, "Register CTRL", "ctrl", vbTextCompare)
    ' expect:  0  10
    Debug.Print InStr(1, "abcABC", "C", 0); InStr(4, "abcABC", "a", 1)  ' expect:  6  4
    Debug.Print InStrRev("a.b.A", "a", , vbTextCompare); InStrRev("a.b.A", "a")  ' expect:  5  1
    Debug.Print StrComp("abc", "ABC"); StrComp("abc", "ABC", vbTextCompare); StrComp("a", "B", 1)
    ' expect:  1  0 -1
    Debug.Print Replace("Reg-reg-REG", "reg", "x", , , vbTextCompare)  ' expect: x-x-x
    Debug.Print Replace("a-b-c-d", "-", "+", 3)      ' expect: b+c+d
    Debug.Print Replace("a-b-c-d", "-", "+", , 2)    ' expect: a+b+c-d
    Debug.Print "[" & Replace("abc", "b", "x", 9) & "]"  ' expect: []
    Debug.Print DoEvents()                           ' expect:  0
    On Error Resume Next
    Debug.Print StrComp("a", "b", 2)
    Debug.Print Err.Number                           ' expect:  5
    Err.Clear
    n = Switch(True, 1, False)
    Debug.Print Err.Number                           ' expect:  5
End Sub
