' Waits for the temperature sensor to report READY, reading STATUS at most MaxPolls times with
' a pause between the reads, then prints the temperature. Not ready in time is an error.
Const MaxPolls = 10
Const PauseMs = 10

Sub Main
    Dim attempt As Integer
    For attempt = 1 To MaxPolls
        If ReadReg(READY) = 1 Then
            Print "Sensor ready after " & attempt & " read(s)"
            PrintTemperature
            Exit Sub
        End If
        Wait PauseMs
    Next
    Err.Raise Number:=1000, Description:="Sensor not ready after " & MaxPolls & " reads"
End Sub

Sub PrintTemperature()
    Dim celsius As Long
    celsius = ReadReg(DEGREES)
    If celsius > 127 Then celsius = celsius - 256
    If ReadReg(HALF) = 1 Then
        Print "Temperature: " & celsius & ".5 degrees"
    Else
        Print "Temperature: " & celsius & ".0 degrees"
    End If
End Sub
