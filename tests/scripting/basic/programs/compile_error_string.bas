' expect compile error: 3:17 expected '"' to close the string
Sub Main()
    Debug.Print "open
End Sub
