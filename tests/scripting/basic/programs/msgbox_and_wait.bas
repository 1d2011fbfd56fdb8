' MsgBox and InputBox go to the host; Wait pauses the script without blocking the host.
Sub Main()
    Dim answer
    answer = MsgBox("Continue?", vbOKCancel, "VEK")    ' expect: MsgBox Continue?
    Debug.Print answer                                 ' expect:  1
    MsgBox "plain"                                     ' expect: MsgBox plain
    ' This host answers InputBox with its default, which may be a number.
    answer = InputBox("Count?", "Setup", 5)
    Debug.Print answer + 1; " "; TypeName(answer)      ' expect:  6  String
    Debug.Print Len(InputBox("Name?"))                 ' expect:  0
    ' The position and the help file of Visual Basic's InputBox are accepted and left alone.
    Debug.Print InputBox("Where?", , "here", 100, 200, "help.chm", 7)   ' expect: here
    Dim t
    t = Timer
    Wait 20
    Debug.Print Timer - t >= 0.015                     ' expect: True
    Debug.Print Now > 40000                            ' expect: True
End Sub
