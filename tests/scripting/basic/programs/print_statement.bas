' Print and Debug.Print: ; joins, , moves to the next 14-column zone, a trailing ; continues.
Sub Main()
    Print "a"; "b"                     ' expect: ab
    Print "a", "b"                     ' expect: a             b
    Debug.Print "x";
    Debug.Print "y"                    ' expect: xy
    Print                              ' expect:
    Print 1.5; True; Empty; "|"        ' expect: 1.5True|
    Debug.Print "n=" & 3               ' expect: n=3
End Sub
