' expect compile error: 4:23 number too large for its type
' A Single literal beyond the range of a Single would be an infinity.
Sub Main()
    Debug.Print 1E+39!
End Sub
