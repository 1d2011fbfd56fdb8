' Operators, precedence and the kinds of their results.
Sub Main()
    Debug.Print 1 + 2 * 3              ' expect:  7
    Debug.Print (1 + 2) * 3            ' expect:  9
    Debug.Print 7 / 2                  ' expect:  3.5
    Debug.Print 7 \ 2                  ' expect:  3
    Debug.Print -7 \ 2                 ' expect: -3
    Debug.Print 7 Mod 3                ' expect:  1
    Debug.Print -7 Mod 3               ' expect: -1
    Debug.Print 2 ^ 10                 ' expect:  1024
    Debug.Print -2 ^ 2                 ' expect: -4
    Debug.Print 2 ^ -1                 ' expect:  0.5
    Debug.Print 10 - 2 - 3             ' expect:  5
    Debug.Print 2 ^ 3 ^ 2              ' expect:  64
    Debug.Print 5.5 \ 2                ' expect:  3
    Debug.Print 6.5 Mod 4              ' expect:  2
    Debug.Print 1 / 3                  ' expect:  0.333333333333333
    Debug.Print 0.1 + 0.2              ' expect:  0.3
    Debug.Print 1E+20 * 10             ' expect:  1E+21
    Debug.Print "3" + 4                ' expect:  7
    Debug.Print "3" + "4"              ' expect: 34
    Debug.Print "3" & 4                ' expect: 34
    Debug.Print 1 + True               ' expect:  0
    Debug.Print TypeName(1 + 1)        ' expect: Integer
    Debug.Print TypeName(32767 + 1&)   ' expect: Long
    Debug.Print TypeName(1 / 1)        ' expect: Double
    Debug.Print TypeName(2147483647 + 1#) ' expect: Double
    Debug.Print TypeName(1.5! * 2)     ' expect: Single
    Debug.Print 2147483647 + 1#        ' expect:  2147483648
    Debug.Print &HFF + &O10            ' expect:  263
    Debug.Print &H8000                 ' expect: -32768
    Debug.Print &HFFFFFFFF             ' expect: -1
    Debug.Print 12 And 10, 12 Or 10; 12 Xor 10
    ' expect:  8             14  6
    Debug.Print Not 0                  ' expect: -1
    Debug.Print Not True               ' expect: False
    Debug.Print True And False         ' expect: False
    Debug.Print True Or False          ' expect: True
End Sub
