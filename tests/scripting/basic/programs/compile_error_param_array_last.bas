' A ParamArray takes every argument left, so no parameter may follow it.
Sub Gather(ParamArray rest(), extra)
End Sub

Sub Main()
End Sub
' expect compile error: 2:31 expected ')'
