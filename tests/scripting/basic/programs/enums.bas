' Enum blocks: Long constants, each one more than the one before unless given a value, reached
' by their names alone or through the Enum's; the Enum's name declares Long variables,
' parameters, results and arrays.
Public Enum Color
    Red
    Green = 10
    Blue
    Mixed = Red + Blue * 2
End Enum

Private Enum Flags
    fNone = 0
    fRead = &H1
    fWrite = &H2
End Enum

Function Shade(c As Color) As Color
    Shade = c + 1
End Function

Sub Main()
    Dim c As Color
    c = Blue
    Debug.Print Red & " " & Green & " " & Blue & " " & Mixed    ' expect: 0 10 11 22
    Debug.Print c & " " & TypeName(c)                           ' expect: 11 Long
    Debug.Print Color.Green + Flags.fWrite; Shade(Color.Red)    ' expect:  12  1
    Dim a(2) As Color
    a(1) = fRead Or fWrite
    Debug.Print a(1) & " " & TypeName(a)                        ' expect: 3 Long()
    c = 2.6
    Debug.Print c                                               ' expect:  3
End Sub
