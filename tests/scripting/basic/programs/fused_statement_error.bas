' An error in a statement the machine runs as one instruction (x = x + y) is reported on its line.
Sub Main()
    Dim l As Long, k As Long
    l = 2147483647
    k = 1
    l = l + k
    Print "not reached"
End Sub
' expect error: 6 at 6
