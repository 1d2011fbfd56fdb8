' No infinity and no NaN ever becomes a value, as in Visual Basic: text that holds a number beyond
' a Double, wherever it is converted, and arithmetic that overflows are error 6; Sqr and Log
' outside their domain and a root of a negative number are error 5.
Dim beyond As String

Sub Convert()
    Dim d As Double
    d = CDbl(beyond)
    Debug.Print "converted"; d
End Sub

Sub ValOfBeyond()
    Dim v
    v = Val(" -1 E 999 and more")
    Debug.Print "val"; v
End Sub

Sub TextInArithmetic()
    Dim v
    v = beyond + 1
    Debug.Print "sum"; v
End Sub

Sub TextCompared()
    Dim v
    v = beyond
    v = v > 5
    Debug.Print "compared"; v
End Sub

Sub TextAsForBound()
    Dim i, n
    For i = 1 To beyond
        n = n + 1
        If n > 3 Then Exit For
    Next
    Debug.Print "loop ran"; n
End Sub

Sub NotANumberSelected()
    Dim a As Double, b As Double
    a = CDbl(beyond)
    b = a - a
    Select Case b
    Case 1 To 5
        Debug.Print "matched 1 To 5"
    End Select
End Sub

Sub DoubleSum()
    Dim big As Double, d As Double
    big = 1E+308
    d = big + big
    Debug.Print "sum"; d
End Sub

Sub DoubleProductIntoItself()
    Dim d As Double, big As Double
    big = 1E+308
    d = big
    d = d * big
    Debug.Print "product"; d
End Sub

Sub DoubleDifferenceInAnExpression()
    Dim big As Double
    big = 1E+308
    big = (big - -big) / 2
    Debug.Print "difference"; big
End Sub

Sub VariantProduct()
    Dim v, w
    v = 1E+308
    w = v * v
    Debug.Print "variant"; w
End Sub

Sub ReadBeyond()
    Dim v
    Open "vek_beyond_test.txt" For Output As #1
    Print #1, "1e999, 2"
    Close #1
    Open "vek_beyond_test.txt" For Input As #1
    Input #1, v
    Debug.Print "read"; v
End Sub

Sub Main()
    Dim codes, v
    beyond = "1e999"
    On Error Resume Next
    Call Convert: codes = codes & Err.Number & " ": Err.Clear
    Call ValOfBeyond: codes = codes & Err.Number & " ": Err.Clear
    Call TextInArithmetic: codes = codes & Err.Number & " ": Err.Clear
    Call TextCompared: codes = codes & Err.Number & " ": Err.Clear
    Call TextAsForBound: codes = codes & Err.Number & " ": Err.Clear
    Call NotANumberSelected: codes = codes & Err.Number: Err.Clear
    Debug.Print codes                               ' expect: 6 6 6 6 6 6
    codes = ""
    Call DoubleSum: codes = codes & Err.Number & " ": Err.Clear
    Call DoubleProductIntoItself: codes = codes & Err.Number & " ": Err.Clear
    Call DoubleDifferenceInAnExpression: codes = codes & Err.Number & " ": Err.Clear
    Call VariantProduct: codes = codes & Err.Number & " ": Err.Clear
    Call ReadBeyond: codes = codes & Err.Number: Err.Clear
    Close #1
    Kill "vek_beyond_test.txt"
    Debug.Print codes                               ' expect: 6 6 6 6 6
    codes = ""
    v = CSng("1e39"): codes = codes & Err.Number & " ": Err.Clear
    v = CLng(beyond): codes = codes & Err.Number & " ": Err.Clear
    v = Exp(1000): codes = codes & Err.Number & " ": Err.Clear
    v = 10 ^ 400: codes = codes & Err.Number & " ": Err.Clear
    v = Sqr(-1): codes = codes & Err.Number & " ": Err.Clear
    v = Log(0): codes = codes & Err.Number & " ": Err.Clear
    v = (-8) ^ (1 / 3): codes = codes & Err.Number: Err.Clear
    Debug.Print codes                               ' expect: 6 6 6 6 5 5 5
    On Error GoTo 0
    ' A number beyond a Double is not numeric; below the smallest one it is 0, as in Visual Basic.
    Debug.Print IsNumeric(beyond); " "; IsNumeric("1e308"); " "; CDbl("1e-999")   ' expect: False True  0
    ' Rounding a number too large to have such places leaves it; any seed converts.
    Debug.Print Round(1E+300, 22)                   ' expect:  1E+300
    Randomize 1E+300
    Randomize -1E+300
    Debug.Print Val("1e308"); " "; Val("x")         ' expect:  1E+308   0
End Sub
