' Each line pins one boundary or direction of the operator precedence table.
Sub Main()
    Debug.Print 2 ^ 3 * 2                  ' expect:  16
    Debug.Print -3 ^ 2 * 2                 ' expect: -18
    Debug.Print 2 * -3                     ' expect: -6
    Debug.Print 2 ^ -1 ^ 2                 ' expect:  0.5
    Debug.Print - -3; " "; +3              ' expect:  3   3
    Debug.Print 10 \ 3 * 2                 ' expect:  1
    Debug.Print 7 Mod 5 \ 2                ' expect:  1
    Debug.Print 1 + 7 Mod 4                ' expect:  4
    Debug.Print 10 - 4 - 3; " "; 100 / 10 / 5   ' expect:  3   2
    Debug.Print "a" & 1 + 2                ' expect: a3
    Debug.Print "1" & "2" = "12"           ' expect: True
    Debug.Print Not 0 And 0                ' expect:  0
    Debug.Print 1 Or 2 And 0               ' expect:  1
    Debug.Print 3 Xor 1 Or 2               ' expect:  0
End Sub
