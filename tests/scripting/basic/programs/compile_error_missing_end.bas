' expect compile error: 5:1 expected End If
Sub Main()
    If 1 Then
        Debug.Print 1
End Sub
