' Format's text placeholders as VBA has them: @ a character or a blank, & a character or nothing,
' filled from the right unless ! fills them from the left; < and > change the case; a second
' section is for an empty text. And CDate reads a date day first when its first number is no month.
Sub Main()
    Debug.Print "[" & Format(7, "@@@") & "]"                     ' expect: [  7]
    Debug.Print Format("1234567890", "(@@@) @@@-@@@@")           ' expect: (123) 456-7890
    Debug.Print "[" & Format("12", "(@@@)") & "]"                ' expect: [( 12)]
    Debug.Print "[" & Format("ab", "!@@@@") & "]"                ' expect: [ab  ]
    Debug.Print Format("abcdef", "@@@") & " " & Format("abcdef", "!@@@") ' expect: abcdef abcdef
    Debug.Print "[" & Format("ab", "&&&&") & "]"                 ' expect: [ab]
    Debug.Print Format("Hello", ">") & Format("Hello", "<")      ' expect: HELLOhello
    Debug.Print Format("x1", "\#@@ ""id""")                      ' expect: #x1 id
    Debug.Print "[" & Format("", "@;""(empty)""") & "]"          ' expect: [(empty)]
    Debug.Print "[" & Format(Null, "@@") & "]"                   ' expect: [  ]
    Debug.Print Month(CDate("25/12/2011")) & " " & Day(CDate("25/12/2011")) ' expect: 12 25
    Debug.Print Month(DateValue("13/1/2020")) & " " & CDate("1/2/2011")      ' expect: 1 1/2/2011
    Debug.Print IsDate("13/13/2020")                             ' expect: False
End Sub
