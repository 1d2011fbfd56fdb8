' A module in the shape the program generates for registers, and constants in expressions.
'DO NOT EDIT THIS CODE!
'Device : TUNER

'Byte Items
Public Const CTRL As Integer = 0
Public Const STAT As Integer = 3
'Bit Items
Public Const EN As Integer = 1
Public Const MODE As Integer = 2
Private Const MASK = &HF0 Or EN
Const NAME_TEXT = "reg" & "ister"

Sub Main()
    Debug.Print CTRL; STAT; EN; MODE   ' expect:  0  3  1  2
    Debug.Print MASK                   ' expect:  241
    Debug.Print NAME_TEXT              ' expect: register
    Debug.Print TypeName(STAT)         ' expect: Integer
    Const LOCAL_LIMIT = STAT * 10 + 1
    Debug.Print LOCAL_LIMIT            ' expect:  31
    Debug.Print vbCrLf = Chr(13) & Chr(10)   ' expect: True
End Sub
