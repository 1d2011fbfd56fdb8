' MsgBox goes to the host; Wait pauses the script without blocking the host.
Sub Main()
    Dim answer
    answer = MsgBox("Continue?", vbOKCancel, "VEK")    ' expect: MsgBox Continue?
    Debug.Print answer                                 ' expect: 1
    MsgBox "plain"                                     ' expect: MsgBox plain
    Dim t
    t = Timer
    Wait 20
    Debug.Print Timer - t >= 0.015                     ' expect: True
    Debug.Print Now > 40000                            ' expect: True
End Sub
