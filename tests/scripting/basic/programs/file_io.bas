' Sequential files: Open, Print #, Write #, Input #, Line Input #, EOF, FreeFile, LOF, Close,
' Dir, FileLen and Kill, with the error numbers Visual Basic gives. The files are made in the
' current folder and removed at the end.
Const LOG_FILE = "vek_file_io_test.log"
Const DATA_FILE = "vek_file_io_test.csv"

Sub Main()
    Dim f, line, a, b, c, count
    f = FreeFile
    Debug.Print f                                   ' expect:  1
    Open LOG_FILE For Output As #f
    Print #f, "first"; " line"
    Print #f, "a", "b"
    Print #f,
    Print #f, 42; "!";
    Print #f, "end"
    Close #f
    Debug.Print FileLen(LOG_FILE)                   ' expect:  41
    Open LOG_FILE For Append As 2
    Print #2, "appended"
    Debug.Print LOF(2)                              ' expect:  51
    Close
    Open LOG_FILE For Input As #1
    Do While Not EOF(1)
        Line Input #1, line
        count = count + 1
        Debug.Print count; ":"; line
    Loop
    ' expect:  1 :first line
    ' expect:  2 :a             b
    ' expect:  3 :
    ' expect:  4 : 42 !end
    ' expect:  5 :appended
    Close #1

    Open DATA_FILE For Output As #3
    Write #3, "CTRL", &H5A, True
    Write #3, "text, with comma", 1.5, Empty
    Close #3
    Open DATA_FILE For Input As #3
    Line Input #3, line
    Debug.Print line                                ' expect: "CTRL",90,#TRUE#
    Input #3, a, b, c
    Debug.Print a; "|"; b; "|"; TypeName(b); "|"; IsEmpty(c); "|"; EOF(3)
    ' expect: text, with comma| 1.5 |Double|True|True
    Close #3

    Debug.Print Dir("vek_file_io_test.*"); " "; Dir(); " ["; Dir(); "]"
    ' expect: vek_file_io_test.csv vek_file_io_test.log []
    Debug.Print "["; Dir("no_such_file_here.txt"); "]"  ' expect: []

    On Error Resume Next
    Open "no_such_folder_here/x.txt" For Input As #1
    Debug.Print Err.Number; " "; Err.Description    ' expect:  53  File not found
    Err.Clear
    Print #9, "x"
    Debug.Print Err.Number; " "; Err.Description    ' expect:  52  Bad file name or number
    Err.Clear
    Open LOG_FILE For Input As #1
    Open LOG_FILE For Input As #1
    Debug.Print Err.Number; " "; Err.Description    ' expect:  55  File already open
    Err.Clear
    Print #1, "x"
    Debug.Print Err.Number; " "; Err.Description    ' expect:  54  Bad file mode
    Err.Clear
    Do
        Line Input #1, line
    Loop Until Err.Number <> 0
    Debug.Print Err.Number; " "; Err.Description    ' expect:  62  Input past end of file
    Err.Clear
    Close #1
    Kill "vek_file_io_test.*"
    Debug.Print Err.Number; " ["; Dir("vek_file_io_test.*"); "]"  ' expect:  0  []
    Kill LOG_FILE
    Debug.Print Err.Number                          ' expect:  53
    Err.Clear
    FileLen LOG_FILE
    Debug.Print Err.Number                          ' expect:  53
End Sub
