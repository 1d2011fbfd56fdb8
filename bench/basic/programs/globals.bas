' Module variables updated by a procedure called in a loop, as scripts keep their state.
Dim total As Long, calls As Long

Sub Tally(ByVal amount As Long)
    total = (total + amount) Mod 1000003
    calls = calls + 1
End Sub

Sub Main()
    Dim i As Long
    For i = 1 To 1000000
        Tally i Mod 100
    Next
    Print total; " "; calls
End Sub
