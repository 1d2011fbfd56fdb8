' expect compile error: 3:16 expected Binary or Text
Option Explicit
Option Compare Database
Sub Main()
End Sub
