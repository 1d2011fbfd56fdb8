' The Like operator: ? one character, * any run, # a digit, [list], [!list] and ranges; case
' counts unless Option Compare Text.
Sub Main()
    Debug.Print "CTRL_7" Like "CTRL_#"; " "; "CTRL_77" Like "CTRL_#"     ' expect: True False
    Debug.Print "abc" Like "a*"; " "; "abc" Like "A*"; " "; "" Like "*"  ' expect: True False True
    Debug.Print "abc" Like "a?c"; " "; "ac" Like "a?c"; " "; "aXYc" Like "a*c"   ' expect: True False True
    Debug.Print "b" Like "[a-c]"; " "; "d" Like "[a-c]"; " "; "d" Like "[!a-c]"  ' expect: True False True
    Debug.Print "a-" Like "a[-x]"; " "; "*" Like "[*]"; " "; "?" Like "[?#]"    ' expect: True True True
    Debug.Print "abcabd" Like "*ab?"; " "; "aaa" Like "*a*a*a*"; " "; "aa" Like "*a*a*a*"
    ' expect: True True False
    Dim like
    like = "variable"
    Debug.Print like Like "var*"                                        ' expect: True
    On Error Resume Next
    Debug.Print "a" Like "[a"
    Debug.Print Err.Number; " "; Err.Description                        ' expect:  93  Invalid pattern string
    Err.Clear
    Debug.Print "a" Like "[z-a]"
    Debug.Print Err.Number                                              ' expect:  93
End Sub
