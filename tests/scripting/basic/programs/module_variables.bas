' Module-level variables and arrays keep their values between calls.
Private counter As Long
Dim table(1 To 3) As String
Public total

Sub Bump()
    counter = counter + 1
    total = total + counter
End Sub

Sub Main()
    Call Bump: Bump: Bump
    Debug.Print counter; total         ' expect:  3  6
    table(2) = "two"
    Debug.Print UBound(table); table(2)   ' expect:  3 two
    Dim i
    For Each i In table
        Debug.Print "[" & i & "]";
    Next
    Debug.Print                        ' expect: [][two][]
    For counter = 1 To 2: Next
    Debug.Print counter                ' expect:  3
    End
    Debug.Print "never"
End Sub
