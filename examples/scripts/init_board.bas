' Puts the demo board into a known state: outputs driven and all high (LEDs off, relay open),
' the temperature sensor running.
Sub Main
    DebugOut "Initialising the demo board"
    WriteReg DIRECTION, &HF8
    WriteReg OUTPUT, &HFF
    WriteReg SHUTDOWN, 0
    Print "Board initialised"
End Sub
