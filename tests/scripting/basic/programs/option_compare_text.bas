' Option Compare Text: comparisons, Select Case, Like and the default compare of StrComp, InStr,
' InStrRev and Replace ignore case in this module; an explicit vbBinaryCompare still counts it.
Option Compare Text

Const SAME = "reg" = "REG"

Sub Main()
    Debug.Print "abc" = "ABC"; " "; "a" < "B"; " "; "Z" > "a"; " "; SAME   ' expect: True True True True
    Dim s
    s = "Status"
    If s = "STATUS" Then Debug.Print "equal"                             ' expect: equal
    Select Case s
        Case "status": Debug.Print "case matched"                        ' expect: case matched
        Case Else: Debug.Print "no case"
    End Select
    Select Case "m"
        Case "A" To "Z": Debug.Print "in range"                          ' expect: in range
    End Select
    Debug.Print StrComp("abc", "ABC"); " "; StrComp("abc", "ABC", vbBinaryCompare); " "; StrComp("a", "B", vbUseCompareOption)
    ' expect:  0   1  -1
    Debug.Print InStr("Hello", "L"); " "; InStr(1, "Hello", "L", vbBinaryCompare); " "; InStrRev("Hello", "L")
    ' expect:  3   0   4
    Debug.Print Replace("aAa", "a", "x"); " "; Replace("aAa", "a", "x", , , vbBinaryCompare)   ' expect: xxx xAx
    Debug.Print "ABC" Like "a*"; " "; "b" Like "[A-C]"                   ' expect: True True
End Sub
