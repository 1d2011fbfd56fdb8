' A variable assigned straight from another variable or parameter (x = y, Function = p): the
' value converts to the target's type, a value that does not fit is error 6 or 13 and leaves the
' target as it was, a String is copied (appending to the copy leaves the source alone), and a ByRef
' parameter gives what its caller's variable holds.
Function Same(ByRef p As Long) As Long
    Same = p
End Function

Function Halved(ByVal d As Double) As Integer
    Halved = d
End Function

Function Described(ByRef v As Variant) As String
    Described = v
End Function

Sub Main()
    Dim l As Long, i As Integer, d As Double, s As String, t As String, v, w, b As Boolean
    On Error Resume Next

    l = 70000
    i = 5
    i = l
    Debug.Print "Long into Integer: " & Err.Number & " " & i      ' expect: Long into Integer: 6 5
    Err.Clear
    d = 2.5
    i = d
    Debug.Print "Double into Integer: " & i                       ' expect: Double into Integer: 2
    d = 3.5
    i = d
    Debug.Print "banker's rounding: " & i                         ' expect: banker's rounding: 4
    s = "42"
    l = s
    Debug.Print "String into Long: " & TypeName(l) & " " & l      ' expect: String into Long: Long 42
    s = "x"
    l = s
    Debug.Print "bad String: " & Err.Number & " " & l             ' expect: bad String: 13 42
    Err.Clear
    s = "abc"
    t = s
    t = t & "d"
    Debug.Print "copied String: " & s & " " & t                   ' expect: copied String: abc abcd
    t = t
    Debug.Print "itself: " & t                                    ' expect: itself: abcd
    l = 7
    v = l
    w = v
    Debug.Print "into a Variant: " & TypeName(w) & " " & w        ' expect: into a Variant: Long 7
    b = l
    Debug.Print "into a Boolean: " & b                            ' expect: into a Boolean: True
    s = l
    Debug.Print "into a String: " & TypeName(s) & " " & s         ' expect: into a String: String 7
    l = 123
    Debug.Print "function of ByRef: " & Same(l)                   ' expect: function of ByRef: 123
    Debug.Print "rounded result: " & Halved(6.5)                  ' expect: rounded result: 6
    i = 9
    i = Halved(1E+20)
    Debug.Print "result overflow: " & Err.Number & " " & i        ' expect: result overflow: 6 9
    Err.Clear
    v = Null
    s = Described(v)
    Debug.Print "Null result: " & Err.Number                      ' expect: Null result: 94
End Sub
