' An Enum block ends with End Enum before the next procedure.
Enum Mode
    Idle
    Busy = 3

Sub Main()
End Sub
' expect compile error: 6:1 expected End Enum
