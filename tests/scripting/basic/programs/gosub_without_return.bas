' A GoSub that never returns ends in error 28 like endless recursion.
Sub Main()
again:
    GoSub again
End Sub
' expect error: 28 at 4
