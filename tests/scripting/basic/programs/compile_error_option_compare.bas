' expect compile error: 3:16 Option Compare Text is not supported: use vbTextCompare or LCase
Option Explicit
Option Compare Text
Sub Main()
End Sub
