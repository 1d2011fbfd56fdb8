' Assignments of an operation to a local (x = y + 1, x = x + y, x = (...) Mod k, t = a(j),
' a(j + 1) = t): whole-number overflow at the Long and Integer edges is error 6 and leaves the
' target as it was, a Variant operand widens, Null propagates, other kinds convert on the store,
' and an operand a called procedure changes is read before the call. Lines print strings only.
Function Bump(ByRef x As Long) As Long
    x = 100
    Bump = 1
End Function

Sub Main()
    Dim l As Long, m As Long, n As Long, i As Integer, j As Integer, d As Double, e As Double
    Dim v, w, s As String, a(1 To 3) As Long, va(1 To 2), t As Long, k As Long
    On Error Resume Next

    m = 2147483647
    l = 7
    l = m + 1
    Debug.Print "max + 1: " & Err.Number & " " & l                ' expect: max + 1: 6 7
    Err.Clear
    l = m - 1
    Debug.Print "max - 1: " & l                                   ' expect: max - 1: 2147483646
    m = -2147483647 - 1
    l = m - 1
    Debug.Print "min - 1: " & Err.Number & " " & l                ' expect: min - 1: 6 2147483646
    Err.Clear
    l = m * 2
    Debug.Print "min * 2: " & Err.Number & " " & l                ' expect: min * 2: 6 2147483646
    Err.Clear
    l = m \ -1
    Debug.Print "min \ -1: " & Err.Number & " " & l               ' expect: min \ -1: 6 2147483646
    Err.Clear
    l = m Mod -1
    Debug.Print "min Mod -1: " & l                                ' expect: min Mod -1: 0
    l = 5
    l = m \ 0
    Debug.Print "\ 0: " & Err.Number & " " & l                    ' expect: \ 0: 11 5
    Err.Clear
    l = m Mod 0
    Debug.Print "Mod 0: " & Err.Number & " " & l                  ' expect: Mod 0: 11 5
    Err.Clear
    l = (m \ 1) - 1
    Debug.Print "(min \ 1) - 1: " & Err.Number & " " & l          ' expect: (min \ 1) - 1: 6 5
    Err.Clear
    m = 2147483647
    l = (m Mod 10) * 1000000000
    Debug.Print "(max Mod 10) * 1e9: " & Err.Number & " " & l     ' expect: (max Mod 10) * 1e9: 6 5
    Err.Clear
    l = (m Mod 10) * 100000000
    Debug.Print "(max Mod 10) * 1e8: " & l                        ' expect: (max Mod 10) * 1e8: 700000000

    ' x = x op y
    l = 2147483600
    n = 47
    l = l + n
    Debug.Print "l + n: " & l                                     ' expect: l + n: 2147483647
    l = l + n
    Debug.Print "l + n again: " & Err.Number & " " & l            ' expect: l + n again: 6 2147483647
    Err.Clear
    l = -l
    l = l - n
    Debug.Print "-max - n: " & Err.Number & " " & l               ' expect: -max - n: 6 -2147483647
    Err.Clear
    l = l * n
    Debug.Print "l * n: " & Err.Number & " " & l                  ' expect: l * n: 6 -2147483647
    Err.Clear
    i = 32767
    j = 1
    i = i + j
    Debug.Print "Integer + Integer: " & Err.Number & " " & i      ' expect: Integer + Integer: 6 32767
    Err.Clear
    j = 3
    i = j * 20000
    Debug.Print "Integer * 20000: " & Err.Number & " " & i        ' expect: Integer * 20000: 6 32767
    Err.Clear
    i = -32768
    i = i - j
    Debug.Print "Integer - Integer: " & Err.Number & " " & i      ' expect: Integer - Integer: 6 -32768
    Err.Clear
    l = 30000
    l = l + j
    Debug.Print "Long + Integer: " & TypeName(l) & " " & l        ' expect: Long + Integer: Long 30003
    i = l + 1
    Debug.Print "into Integer: " & TypeName(i) & " " & i          ' expect: into Integer: Integer 30004
    l = 40000
    i = l + 1
    Debug.Print "too big for Integer: " & Err.Number & " " & i    ' expect: too big for Integer: 6 30004
    Err.Clear

    ' mixed kinds
    d = 2.5
    l = 1
    l = l + d
    Debug.Print "Long + Double: " & TypeName(l) & " " & l         ' expect: Long + Double: Long 4
    l = d * 1
    Debug.Print "Double * 1 into Long: " & l                      ' expect: Double * 1 into Long: 2
    e = 0.25
    d = d + e
    Debug.Print "Double + Double: " & d                           ' expect: Double + Double: 2.75
    d = l + 1
    Debug.Print "Long + 1 into Double: " & TypeName(d) & " " & d  ' expect: Long + 1 into Double: Double 3
    v = 2147483647
    w = v + 1
    Debug.Print "Variant + 1: " & TypeName(w) & " " & w           ' expect: Variant + 1: Double 2147483648
    v = v + 1
    Debug.Print "v = v + 1: " & TypeName(v) & " " & v             ' expect: v = v + 1: Double 2147483648
    v = 32767
    v = CInt(v)
    v = v + j
    Debug.Print "Variant Integer + 3: " & TypeName(v) & " " & v   ' expect: Variant Integer + 3: Long 32770
    v = 2147483647
    l = 9
    l = v + 1
    Debug.Print "widened into Long: " & Err.Number & " " & l      ' expect: widened into Long: 6 9
    Err.Clear
    v = Null
    w = v + 1
    Debug.Print "Null + 1: " & IsNull(w)                          ' expect: Null + 1: True
    w = 5
    w = w * v
    Debug.Print "w * Null: " & IsNull(w)                          ' expect: w * Null: True
    l = v + 1
    Debug.Print "Null into Long: " & Err.Number & " " & l         ' expect: Null into Long: 94 9
    Err.Clear
    s = "5"
    s = s + 1
    Debug.Print "String + 1: " & TypeName(s) & " " & s            ' expect: String + 1: String 6
    w = "abc"
    w = w + n
    Debug.Print "text + n: " & Err.Number                         ' expect: text + n: 13
    Err.Clear

    ' an operand a called procedure changes is read before the call
    l = 5
    l = l + Bump(l)
    Debug.Print "l + Bump(l): " & l                               ' expect: l + Bump(l): 6
    l = 5
    k = l - Bump(l)
    Debug.Print "l - Bump(l): " & k & " " & l                     ' expect: l - Bump(l): 4 100

    ' elements
    a(1) = 10: a(2) = 20: a(3) = 30
    k = 2
    t = a(k)
    a(k) = a(k + 1)
    a(k + 1) = t
    Debug.Print "swapped: " & a(1) & " " & a(2) & " " & a(3)      ' expect: swapped: 10 30 20
    k = 3
    t = 0
    t = a(k + 1)
    Debug.Print "a(3 + 1): " & Err.Number & " " & t               ' expect: a(3 + 1): 9 0
    Err.Clear
    a(k + 1) = 5
    Debug.Print "a(3 + 1) = 5: " & Err.Number                     ' expect: a(3 + 1) = 5: 9
    Err.Clear
    k = 4
    a(k) = 5
    Debug.Print "a(4) = 5: " & Err.Number                         ' expect: a(4) = 5: 9
    Err.Clear
    k = 2147483647
    t = a(k + 1)
    Debug.Print "index overflow: " & Err.Number & " " & t         ' expect: index overflow: 6 0
    Err.Clear
    a(k + 1) = 5
    Debug.Print "store index overflow: " & Err.Number             ' expect: store index overflow: 6
    Err.Clear
    d = 1.5
    a(d) = 7
    Debug.Print "Double index: " & a(2)                           ' expect: Double index: 7
    w = 0.5
    Debug.Print "a(w + 1): " & a(w + 1)                           ' expect: a(w + 1): 7
    va(1) = "12"
    va(2) = "x"
    k = 1
    t = va(k)
    Debug.Print "text element into Long: " & TypeName(t) & " " & t ' expect: text element into Long: Long 12
    k = 2
    t = va(k)
    Debug.Print "bad text element: " & Err.Number & " " & t       ' expect: bad text element: 13 12
    Err.Clear
    w = va(k)
    Debug.Print "into a Variant: " & TypeName(w) & " " & w        ' expect: into a Variant: String x
    va(k) = va
    w = va(k)
    Debug.Print "array element: " & UBound(w) & " " & w(1)        ' expect: array element: 2 12
    w = w(k - 1)
    Debug.Print "own element: " & w                               ' expect: own element: 12
End Sub
