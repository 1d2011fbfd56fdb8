' Hexadecimal and octal literals are typed by their digits: up to four hexadecimal digits an
' Integer of those 16 bits, up to eight a Long of 32 bits; a trailing & makes a Long.
Sub Main()
    Dim l As Long, v
    Debug.Print CStr(&HFFFF) & " " & TypeName(&HFFFF)         ' expect: -1 Integer
    Debug.Print CStr(&H8000) & " " & CStr(&H7FFF)             ' expect: -32768 32767
    l = &HFFFF
    Debug.Print "into a Long: " & l                           ' expect: into a Long: -1
    l = &H8000
    Debug.Print "into a Long: " & l                           ' expect: into a Long: -32768
    l = &HFFFF&
    Debug.Print "with &: " & l                                ' expect: with &: 65535
    Debug.Print CStr(&H8000&) & " " & TypeName(&H8000&)       ' expect: 32768 Long
    Debug.Print CStr(&H10000) & " " & TypeName(&H10000)       ' expect: 65536 Long
    Debug.Print CStr(&HFFFFFFFF) & " " & TypeName(&HFFFFFFFF) ' expect: -1 Long
    Debug.Print CStr(&H80000000)                              ' expect: -2147483648
    Debug.Print CStr(&O177777) & " " & CStr(&O100000) & " " & CStr(&O200000)
    ' expect: -1 -32768 65536
    Debug.Print CStr(&O177777&) & " " & TypeName(&O17)        ' expect: 65535 Integer
    Debug.Print CStr(&HFF00 And &HFF0)                        ' expect: 3840
    Debug.Print CStr(&HFF00 Or &HFF)                          ' expect: -1
    Debug.Print CStr(&H8000 Xor &HFFFF)                       ' expect: 32767
    Debug.Print CStr(Not &HFFFF) & " " & CStr(Not &H0)        ' expect: 0 -1
    l = &H12345678
    Debug.Print Hex(l And &HFFFF) & " " & Hex(l And &HFFFF&)  ' expect: 12345678 5678
    Debug.Print Hex(-1) & " " & Hex(-1&) & " " & Hex(-32769)  ' expect: FFFF FFFFFFFF FFFF7FFF
    Debug.Print Hex(&H8000) & " " & Oct(&HFFFF) & " " & Hex(&H8000&)
    ' expect: 8000 177777 8000
    v = &HFFFF
    Debug.Print Hex(v) & " " & TypeName(v)                    ' expect: FFFF Integer
    v = CLng(&HFFFF)
    Debug.Print Hex(v) & " " & TypeName(v)                    ' expect: FFFFFFFF Long
End Sub
