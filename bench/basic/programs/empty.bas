' Nothing: the interpreter's own start-up time.
Sub Main()
End Sub
