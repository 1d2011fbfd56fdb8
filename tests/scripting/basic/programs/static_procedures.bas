' Static Sub and Static Function: every local, declared or not, keeps its value from call to
' call; parameters do not.
Static Function Counter(amount)
    Dim total As Long, calls
    total = total + amount
    calls = calls + 1
    seen = seen & amount
    Counter = total & "/" & calls & "/" & seen
End Function

Public Static Sub Remember(x)
    Dim history(2)
    Static n
    If n <= 2 Then history(n) = x
    n = n + 1
    If n = 3 Then Debug.Print history(0); history(1); history(2)
End Sub

Private Static Function Fill()
    ReDim Preserve items(count)
    items(count) = count * 10
    count = count + 1
    Fill = UBound(items) & ":" & items(UBound(items))
End Function

Sub Main()
    Debug.Print Counter(1); " "; Counter(2); " "; Counter(3)   ' expect: 1/1/1 3/2/12 6/3/123
    Remember "a": Remember "b": Remember "c"                   ' expect: abc
    Debug.Print Fill(); " "; Fill(); " "; Fill()               ' expect: 0:0 1:10 2:20
End Sub
