' On n GoTo and On n GoSub: the n-th label; 0 or an index past the list falls through, a
' negative one or one over 255 is error 5. A GoSub's Return comes back after the statement.
Sub Main()
    Dim n
    For n = 0 To 4
        On n GoSub One, Two, Three
        Debug.Print "after"; n
    Next
    On 2 GoTo A, B
    Debug.Print "fell"
A:
    Debug.Print "A"
B:
    Debug.Print "B"
    ' expect: after 0
    ' expect: one
    ' expect: after 1
    ' expect: two
    ' expect: after 2
    ' expect: three
    ' expect: after 3
    ' expect: after 4
    ' expect: B
    On 3 GoTo A, B
    Debug.Print "past"                 ' expect: past
    On Error Resume Next
    On -1 GoTo A
    Debug.Print Err.Number             ' expect:  5
    Err.Clear
    On 256 GoSub One
    Debug.Print Err.Number             ' expect:  5
    Exit Sub
One:
    Debug.Print "one": Return
Two:
    Debug.Print "two": Return
Three:
    Debug.Print "three": Return
End Sub
