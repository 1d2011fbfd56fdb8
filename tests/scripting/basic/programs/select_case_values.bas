' Select Case over whole-number constants (tested in place or through a jump table): values of
' every kind, ranges, duplicates, no match, and a Case test that changes the tested variable,
' which must not change the value Select Case compares. For loops keep the limit and step they
' started with. Lines print strings only.
Dim calls As Long

Function Change(ByRef x) As Long
    x = 5
    calls = calls + 1
    Change = 99
End Function

Function Pick(v) As String
    Dim r As String
    Select Case v
        Case 0: r = "zero"
        Case 1, 3: r = "one or three"
        Case 2: r = "two"
        Case 4 To 6, 9: r = "four to six or nine"
        Case 7 To 5: r = "never"
        Case 1: r = "duplicate"
        Case -1: r = "minus one"
        Case Else: r = "else"
    End Select
    Pick = r
End Function

Function Wide(n As Long) As String
    Select Case n
        Case -2147483647 - 1: Wide = "min"
        Case 2147483647: Wide = "max"
        Case Else: Wide = "else"
    End Select
End Function

Function NoElse(n As Long) As String
    NoElse = "none"
    Select Case n
        Case 10: NoElse = "ten"
        Case 11: NoElse = "eleven"
    End Select
End Function

Function Typed(n As Integer) As String
    Select Case n
        Case 1 To 3: Typed = "low"
        Case 32767: Typed = "top"
        Case Is > 100: Typed = "big"
        Case Else: Typed = "other"
    End Select
End Function

Sub Main()
    Dim x As Long, v, i As Long, n As Long, s As String, turns As Long, st As Long
    Debug.Print Pick(0) & "|" & Pick(1) & "|" & Pick(3) & "|" & Pick(2) ' expect: zero|one or three|one or three|two
    Debug.Print Pick(5) & "|" & Pick(9) & "|" & Pick(7) & "|" & Pick(8) ' expect: four to six or nine|four to six or nine|else|else
    Debug.Print Pick(-1) & "|" & Pick(-2147483647 - 1) & "|" & Pick(2147483647) ' expect: minus one|else|else
    Debug.Print Wide(-2147483647 - 1) & "|" & Wide(2147483647) & "|" & Wide(0) ' expect: min|max|else
    Debug.Print Pick(CInt(2)) & "|" & Pick(2#) & "|" & Pick(2.5) & "|" & Pick(True) ' expect: two|two|else|minus one
    Debug.Print Pick(Null) & "|" & Pick(Empty) & "|" & Pick(CLng(1)) ' expect: else|zero|one or three
    Debug.Print NoElse(10) & " " & NoElse(11) & " " & NoElse(12) & " " & NoElse(-5) ' expect: ten eleven none none
    Debug.Print Typed(2) & " " & Typed(32767) & " " & Typed(500) & " " & Typed(-4) ' expect: low top big other

    ' The value is taken once, before the tests: a test that changes the variable does not change
    ' what the later tests compare.
    x = 1
    Select Case x
        Case Change(x): s = "changed"
        Case 5: s = "five"
        Case 1: s = "one"
        Case Else: s = "else"
    End Select
    Debug.Print s & " " & x & " " & calls                         ' expect: one 5 1

    ' A body that changes the variable runs no other clause.
    For i = 0 To 3
        x = i
        Select Case x
            Case 0: x = 2: s = "a"
            Case 2: x = 0: s = s & "b"
            Case Else: s = s & "c"
        End Select
    Next
    Debug.Print s                                                 ' expect: acbc

    ' A Select on a Variant whose kind changes from turn to turn.
    s = ""
    For Each v In Array(1, 1.5, 3, Null, 3&)
        Select Case v
            Case 1: s = s & "1"
            Case 3: s = s & "3"
            Case Else: s = s & "-"
        End Select
    Next
    Debug.Print s                                                 ' expect: 1-3-3

    ' Limit and step are taken when the loop starts.
    n = 3
    turns = 0
    For i = 1 To n
        n = n - 1
        turns = turns + 1
    Next
    Debug.Print "limit changed: " & turns & " " & i & " " & n    ' expect: limit changed: 3 4 0
    st = 2
    turns = 0
    For i = 1 To 10 Step st
        st = 5
        turns = turns + 1
    Next
    Debug.Print "step changed: " & turns & " " & i                ' expect: step changed: 5 11
    turns = 0
    For i = 1 To 10
        i = i + 1
        turns = turns + 1
    Next
    Debug.Print "counter changed: " & turns & " " & i             ' expect: counter changed: 5 11
End Sub
