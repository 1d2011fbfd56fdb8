' Eqv and Imp: bit by bit, the loosest of the operators (Imp looser than Eqv, Eqv than Xor),
' and Null where the other operand does not decide.
Sub Main()
    Debug.Print Hex(&HF0F0 Eqv &HFF00); " "; Hex(&HF0F0 Imp &HFF00)   ' expect: F00F FF0F
    Debug.Print True Eqv False; " "; False Eqv False                 ' expect: False True
    Debug.Print False Imp False; " "; True Imp False; " "; 6 Imp 3   ' expect: True False -5
    Debug.Print True Xor True Eqv False                              ' expect: True
    Debug.Print False Imp True Eqv False                             ' expect: True
    Debug.Print 1 Or 2 Eqv 3; " "; 5 Imp 4 And 0                     ' expect: -1  -6
    Debug.Print Null Imp True; " "; False Imp Null                   ' expect: True True
    Debug.Print IsNull(True Imp Null); " "; IsNull(Null Eqv True)    ' expect: True True
    Dim eqv_count As Long: eqv_count = 7 Eqv 7
    Debug.Print eqv_count; " "; TypeName(1& Imp 2)                   ' expect: -1  Long
End Sub
