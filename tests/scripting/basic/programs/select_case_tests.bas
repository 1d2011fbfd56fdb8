' Select Case items of every kind, with constant and variable values, in every position.
Function Kind(v, low, high)
    Select Case v
        Case low To high, Is > 1000: Kind = "band"
        Case 7, low - 1, "seven": Kind = "listed"
        Case Is < low: Kind = "below"
        Case high + 1 To high + 5: Kind = "near"
        Case Else: Kind = "other"
    End Select
End Function

Sub Main()
    Debug.Print Kind(5, 3, 6); " "; Kind(3, 3, 6); " "; Kind(6, 3, 6); " "; Kind(2000, 3, 6)
    ' expect: band band band band
    ' A string that holds no number sorts after all numbers: "seven" > 1000.
    Debug.Print Kind(7, 3, 6); " "; Kind(2, 3, 6); " "; Kind("seven", 3, 6); " "; Kind("seven", "a", "b")
    ' expect: listed listed band band
    Debug.Print Kind(1, 3, 6); " "; Kind(9, 3, 6); " "; Kind(20, 3, 6)
    ' expect: below near other
    Dim n
    For n = 1 To 4
        Select Case n
            Case 1
            Case 2, 3: Debug.Print "two or three"; n
            Case Else: Debug.Print "else"; n
        End Select
    Next
    ' expect: two or three 2
    ' expect: two or three 3
    ' expect: else 4
    ' As in Visual Basic, Resume Next after a failing test goes on with the next statement: the
    ' clause's body.
    On Error Resume Next
    Select Case Array(1)
        Case 1: Debug.Print "in the body"           ' expect: in the body
    End Select
    Debug.Print Err.Number                          ' expect:  13
End Sub
