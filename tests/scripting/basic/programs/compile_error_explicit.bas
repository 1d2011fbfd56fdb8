' expect compile error: 4:5 variable not defined: undeclared
Option Explicit
Sub Main()
    undeclared = 1
End Sub
