' If blocks, single-line If and Select Case with lists, ranges and Is.
Function Kind(n)
    Select Case n
        Case 0
            Kind = "zero"
        Case 1, 2, 3
            Kind = "small"
        Case 4 To 9
            Kind = "digit"
        Case Is >= 100, -1
            Kind = "big or minus one"
        Case "x"
            Kind = "letter"
        Case Else
            Kind = "other"
    End Select
End Function

Sub Main()
    Dim x
    x = 5
    If x > 3 Then
        Debug.Print "big"              ' expect: big
    ElseIf x > 1 Then
        Debug.Print "medium"
    Else
        Debug.Print "small"
    End If
    If x = 1 Then Debug.Print "one" Else Debug.Print "not one"  ' expect: not one
    If x = 5 Then Debug.Print "five": Debug.Print "still five"
    ' expect: five
    ' expect: still five
    If x = 4 Then Debug.Print "four": Debug.Print "never"
    If x < 0 Then
    ElseIf x < 10 Then
        Debug.Print "under ten"        ' expect: under ten
    End If
    Debug.Print Kind(0); ","; Kind(2); ","; Kind(7); ","; Kind(100); ","; Kind(-1)
    ' expect: zero,small,digit,big or minus one,big or minus one
    ' A string that holds no number sorts after all numbers, so "x" is >= 100.
    Debug.Print Kind("x"); ","; Kind(50)   ' expect: big or minus one,other
    Select Case "b"
    Case "a" To "c": Debug.Print "in range"   ' expect: in range
    End Select
End Sub
