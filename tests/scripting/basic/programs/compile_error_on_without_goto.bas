' expect compile error: 3:10 expected GoTo, GoSub or Error
Sub Main()
    On 1 Print
End Sub
