' A Select Case dispatch loop, as a command interpreter runs one.
Sub Main()
    Dim i As Long, op As Long, acc As Long
    For i = 1 To 2000000
        op = i Mod 8
        Select Case op
            Case 0: acc = acc + 1
            Case 1: acc = acc - 1
            Case 2: acc = acc + 3
            Case 3: acc = acc Xor 5
            Case 4: acc = acc + op
            Case 5: acc = acc - 2
            Case 6: acc = acc And &HFFFF&
            Case Else: acc = acc + 7
        End Select
    Next
    Print acc
End Sub
