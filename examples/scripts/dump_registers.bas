' Prints the registers of the sensor and the I/O expander in hexadecimal.
Sub Main
    Dim numbers, names, i
    numbers = Array(TEMP, STATUS, CONFIG, LIMIT_HIGH, LIMIT_LOW, POLARITY, DIRECTION)
    names = Split("TEMP STATUS CONFIG LIMIT_HIGH LIMIT_LOW POLARITY DIRECTION", " ")
    For i = 0 To UBound(numbers)
        Print names(i) & " = &H" & Hex(ReadReg(numbers(i)))
        If LastError() Then DebugOut names(i) & " could not be read"
    Next
End Sub
