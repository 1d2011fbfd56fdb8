' The statements that change a string variable in place: Mid(s, start[, length]) = text puts text
' in at start without changing the length of s; LSet and RSet put a text left or right aligned in
' the variable's length, the leftmost characters of a longer one.
Sub Main()
    Dim s As String, t As String
    s = "abcdef"
    Mid(s, 2, 3) = "XYZW"
    Debug.Print s                          ' expect: aXYZef
    Mid(s, 5) = "12345"
    Debug.Print s                          ' expect: aXYZ12
    Mid$(s, 1, 1) = "q"
    Debug.Print s                          ' expect: qXYZ12
    t = "12345"
    LSet t = "ab"
    Debug.Print "[" & t & "]"              ' expect: [ab   ]
    RSet t = "ab"
    Debug.Print "[" & t & "]"              ' expect: [   ab]
    RSet t = "abcdefg"
    Debug.Print "[" & t & "]"              ' expect: [abcde]
    Dim a(1) As String
    a(1) = "....."
    Mid(a(1), 2) = "!!"
    LSet a(1) = a(1) & "x"
    Debug.Print a(1)                       ' expect: .!!..
    On Error Resume Next
    Mid(s, 9) = "z"
    Debug.Print Err.Number                 ' expect:  5
End Sub
