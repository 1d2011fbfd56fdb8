' expect compile error: 4:5 Sub or Function not defined: Frobnicate
Option Explicit
Sub Main()
    Frobnicate 1, 2
End Sub
