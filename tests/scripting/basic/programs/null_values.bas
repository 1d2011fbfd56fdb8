' Null: IsNull, how it passes through operators and functions, and error 94 "Invalid use of
' Null" where a value is needed.
Sub Main()
    Dim v, n As Long, s As String
    v = Null
    Debug.Print IsNull(v); " "; IsEmpty(v); " "; TypeName(v); " "; VarType(v) = vbNull  ' expect: True False Null True
    Debug.Print v; " "; IsNull(Empty)                ' expect: Null False
    Debug.Print IsNull(v + 1); IsNull(v * 0); IsNull(-v); IsNull(v / 0); IsNull(2 ^ v)
    ' expect: TrueTrueTrueTrueTrue
    Debug.Print v & "a"; " "; "a" & v & "b"; " "; IsNull(v & v); " "; IsNull("a" + v)
    ' expect: a ab True True
    Debug.Print IsNull(v = 1); IsNull(v = v); IsNull(v <> v); IsNull("x" Like v)   ' expect: TrueTrueTrueTrue
    Debug.Print IsNull(v And True); " "; v And False; " "; v And 0; " "; v Or True; " "; v Or -1&; " "; IsNull(v Or 1); " "; IsNull(Not v)
    ' expect: True False  0  True -1  True True
    If v Then Debug.Print "true" Else Debug.Print "Null counts as False"   ' expect: Null counts as False
    If v = 1 Then
        Debug.Print "equal"
    ElseIf Not (v = 1) Then
        Debug.Print "not equal"
    Else
        Debug.Print "neither"                      ' expect: neither
    End If
    Do While v
        Debug.Print "never"
    Loop
    Select Case v
        Case 1: Debug.Print "one"
        Case Is <> 1: Debug.Print "not one"
        Case Else: Debug.Print "else"              ' expect: else
    End Select
    Debug.Print IsNull(Len(v)); IsNull(Left(v, 2)); IsNull(Mid(v, 2)); IsNull(UCase(v)); IsNull(Trim(v))
    ' expect: TrueTrueTrueTrueTrue
    Debug.Print IsNull(Int(v)); IsNull(Abs(v)); IsNull(Hex(v)); IsNull(Year(v)); IsNull(InStr(v, "a"))
    ' expect: TrueTrueTrueTrueTrue
    Debug.Print IIf(v, "yes", "no"); " "; IsNull(Choose(9, 1, 2)); " "; IsNull(Switch(False, 1))
    ' expect: no True True
    s = "text"
    s = s & v
    Debug.Print s                                   ' expect: text
    Open "null.txt" For Output As #1
    Write #1, v, 1
    Print #1, v
    Close #1
    Dim a, b, line
    Open "null.txt" For Input As #1
    Input #1, a, b
    Line Input #1, line
    Close #1
    Kill "null.txt"
    Debug.Print IsNull(a); " "; b; " "; line        ' expect: True  1  Null
    On Error Resume Next
    n = 5
    n = v
    Debug.Print Err.Number; " "; Err.Description; " "; n   ' expect:  94  Invalid use of Null  5
    Err.Clear
    s = v
    Debug.Print Err.Number; " "; s                  ' expect:  94  text
    Err.Clear
    Debug.Print CStr(v)
    Debug.Print Err.Number                          ' expect:  94
    Err.Clear
    Debug.Print Mid("abc", v)
    Debug.Print Err.Number                          ' expect:  94
    Err.Clear
    For n = v To 3
    Next
    Debug.Print Err.Number                          ' expect:  94
End Sub
