' Whole-number arithmetic as Visual Basic defines it: with typed operands (literals, constants,
' typed variables, CInt/CLng) a result that does not fit their kind is error 6, whatever the
' target; a statement that fails leaves its target unchanged. A Variant operand widens instead:
' Integer to Long, Long to Double. Lines print strings only, so Print's spacing plays no part.
Function Square(n As Integer) As Integer
    Square = n * n
End Function

Function Twice(v)
    Twice = v * 2
End Function

Sub Main()
    Dim l As Long, i As Integer, v, d As Double, k As Integer, turns As Long
    On Error Resume Next

    l = 7
    l = 2000 * 365
    Debug.Print "literals: " & Err.Number & " " & l           ' expect: literals: 6 7
    Err.Clear
    l = CLng(2000) * 365
    Debug.Print "CLng: " & Err.Number & " " & l               ' expect: CLng: 0 730000
    l = 2000& * 365
    Debug.Print "Long literal: " & l                          ' expect: Long literal: 730000
    l = 32767 + 1
    Debug.Print "32767 + 1: " & Err.Number & " " & l          ' expect: 32767 + 1: 6 730000
    Err.Clear

    i = 300
    l = 1
    l = i * 200
    Debug.Print "Integer variable: " & Err.Number & " " & l   ' expect: Integer variable: 6 1
    Err.Clear
    l = i * 200&
    Debug.Print "times a Long: " & l                          ' expect: times a Long: 60000
    i = 32767
    i = i + 1
    Debug.Print "i + 1: " & Err.Number & " " & i              ' expect: i + 1: 6 32767
    Err.Clear
    i = -32768
    i = -i
    Debug.Print "-i: " & Err.Number & " " & i                 ' expect: -i: 6 -32768
    Err.Clear
    l = i \ -1
    Debug.Print "i \ -1: " & Err.Number                       ' expect: i \ -1: 6
    Err.Clear
    l = CInt(200) * CInt(200)
    Debug.Print "CInt: " & Err.Number                         ' expect: CInt: 6
    Err.Clear
    i = 200
    l = Square(i)
    Debug.Print "typed function: " & Err.Number & " " & l     ' expect: typed function: 6 60000
    Err.Clear

    l = 2147483647
    l = l + 1
    Debug.Print "Long + 1: " & Err.Number & " " & l           ' expect: Long + 1: 6 2147483647
    Err.Clear
    d = 5
    d = l + 1
    Debug.Print "into a Double: " & Err.Number & " " & d      ' expect: into a Double: 6 5
    Err.Clear
    d = l + 1#
    Debug.Print "plus a Double: " & d                         ' expect: plus a Double: 2147483648

    For k = 32760 To 32767
        turns = turns + 1
    Next
    Debug.Print "For: " & Err.Number & " " & turns & " " & k  ' expect: For: 6 8 32767
    Err.Clear

    v = 32767
    v = v + 1
    Debug.Print "Variant: " & v & " " & TypeName(v)           ' expect: Variant: 32768 Long
    v = 2147483647
    v = v + 1
    Debug.Print "Variant Long: " & v & " " & TypeName(v)
    ' expect: Variant Long: 2147483648 Double
    v = 200
    v = v * 200
    Debug.Print "Variant times: " & v & " " & TypeName(v)     ' expect: Variant times: 40000 Long
    v = -32768
    Debug.Print "Variant minus: " & -v & " " & TypeName(-v)   ' expect: Variant minus: 32768 Long
    Debug.Print "Variant function: " & Twice(20000) & " " & TypeName(Twice(20000))
    ' expect: Variant function: 40000 Long
    v = 1
    For v = 32766 To 32768
    Next
    Debug.Print "Variant For: " & v & " " & TypeName(v)       ' expect: Variant For: 32769 Long
    Debug.Print "errors: " & Err.Number                       ' expect: errors: 0
End Sub
