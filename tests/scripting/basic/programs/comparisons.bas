' Comparisons give Booleans; strings compare by character code.
Sub Main()
    Debug.Print 1 < 2, 2 <= 2, 3 > 4, 4 >= 4, 5 = 5, 5 <> 5
    ' expect: True          True          False         True          True          False
    Debug.Print "abc" < "abd"          ' expect: True
    Debug.Print "B" < "a"              ' expect: True
    Debug.Print "10" = 10              ' expect: True
    Debug.Print 1.5 > 1                ' expect: True
    Dim e
    Debug.Print e = 0, e = ""          ' expect: True          True
    Debug.Print 1 < 2 And 2 < 3        ' expect: True
    Debug.Print Not 1 = 2              ' expect: True
End Sub
