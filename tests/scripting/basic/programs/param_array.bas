' ParamArray: the last parameter takes every argument beyond the others as a Variant array (from
' 0; none gives an empty array), so a procedure may take any number of arguments.
Function Sum(ParamArray values())
    Dim v
    For Each v In values: Sum = Sum + v: Next
End Function

Function Describe(label As String, ParamArray rest() As Variant) As String
    Describe = label & ":" & (UBound(rest) - LBound(rest) + 1)
    Dim i As Long
    For i = LBound(rest) To UBound(rest): Describe = Describe & " " & rest(i): Next
End Function

Sub Main()
    Debug.Print Sum(1, 2, 3) & "|" & Sum() & "|" & Sum(10)   ' expect: 6||10
    Debug.Print Describe("none")                           ' expect: none:0
    Debug.Print Describe("three", 1, "b", 2.5)             ' expect: three:3 1 b 2.5
    Dim x As Long: x = 5
    Debug.Print Describe("var", x, x * 2)                  ' expect: var:2 5 10
    Call Describe("call", 1)
End Sub
