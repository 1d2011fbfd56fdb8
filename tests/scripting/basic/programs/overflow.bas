' Arithmetic widens; storing into a typed variable that cannot hold the value is error 6.
Sub Main()
    Dim v
    v = 32767
    v = v + 1
    Debug.Print v; " "; TypeName(v)    ' expect:  32768  Long
    Dim i As Integer
    i = 32767
    On Error Resume Next
    i = i + 1
    Debug.Print Err.Number; " "; i     ' expect:  6   32767
    Err.Clear
    Dim l As Long
    l = 2147483647
    l = l + 1
    Debug.Print Err.Number; " "; l     ' expect:  6   2147483647
    Err.Clear
    Debug.Print CInt(40000)
    Debug.Print Err.Number             ' expect:  6
    On Error GoTo 0
    i = 40000
End Sub
' expect error: 6 at 21
