' Rnd repeats its sequence after a negative seed.
Sub Main()
    Dim a, b, i, inside
    Rnd -1
    a = Rnd
    Rnd -1
    b = Rnd
    Debug.Print a = b                  ' expect: True
    For i = 1 To 1000
        If Rnd >= 0 And Rnd < 1 Then inside = inside + 1
    Next
    Debug.Print inside                 ' expect:  1000
    Debug.Print Rnd(0) = Rnd(0)        ' expect: True
End Sub
