' Words that VBA keeps usable as names are names here too: Step is a keyword only in a For
' statement, after its limit.
Function Advance(pos As Long, step As Long) As Long
    Advance = pos + step
End Function

Sub Main()
    Dim step As Long, i As Long, s As String
    Dim text As String, base As Long, compare As Long, binary As Long, explicit As Long
    step = 3
    For i = 1 To 10 Step step
        s = s & i & " "
    Next
    Debug.Print s & Advance(1, step)                ' expect: 1 4 7 10 4
    s = ""
    For i = 10 To step Step -step: s = s & i & ",": Next
    Debug.Print s                                   ' expect: 10,7,4,
    text = "t": base = 1: compare = 2: binary = 3: explicit = 4
    Debug.Print text & base & compare & binary & explicit ' expect: t1234
End Sub
