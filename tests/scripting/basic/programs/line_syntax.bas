Rem Comments, continuation lines, colons and case-insensitive names.
sub main()
    DIM Total AS long: total = 1 + _
        2 + _
        3
    debug.print TOTAL                  ' expect:  6
    Dim [my name]
    [my name] = "bracketed"
    Debug.Print [my name]              ' expect: bracketed
    Let total = total * 2: Debug.Print total   ' expect:  12
    If total = 12 Then debug.Print "ok" ' expect: ok
End Sub
