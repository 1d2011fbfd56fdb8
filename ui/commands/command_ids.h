#pragma once

namespace vek {

// Every command of vek32, once: name, id (shared by menus, toolbar buttons, shortcuts and the
// prompt strings), menu text, shortcuts (";" between several), the prompt string (the status
// bar's prompt, then after "\n" the tooltip) and the toolbar icon. Recent files (57616 + i),
// the macros of the Macros menu (32973 + i) and the window list (0xFF01 + i) are numbered at
// run time from the bases below.
#define VEK_COMMANDS(X)                                                                            \
    X(FileNew, 57600, "&New...", "Ctrl+N", "Create a new document\nNew", "")                       \
    X(FileOpen, 57601, "&Open...", "Ctrl+O", "Open an existing document\nOpen", "open")            \
    X(FileClose, 57602, "&Close", "", "Close the active document", "")                             \
    X(FileSave, 57603, "&Save", "Ctrl+S", "Save the active document\nSave", "")                    \
    X(FileSaveAs, 57604, "Save &Register...", "",                                                  \
      "Save the document with a new name\nSave Register", "save")                                  \
    X(FilePrint, 106, "&Print...", "", "Print the active document\nPrint", "")                     \
    X(AppExit, 57665, "E&xit", "Ctrl+Q", "Quit the application; prompts to save documents", "")    \
    X(EditUndo, 57643, "&Undo", "Ctrl+Z;Alt+Backspace", "Undo the last action\nUndo", "undo")      \
    X(EditRedo, 57644, "&Redo", "", "Redo the previously undone action\nRedo", "redo")             \
    X(EditCut, 57635, "Cu&t", "Ctrl+X;Shift+Del",                                                  \
      "Cut the selection and put it on the Clipboard\nCut", "cut")                                 \
    X(EditCopy, 57634, "&Copy", "Ctrl+C;Ctrl+Ins",                                                 \
      "Copy the selection and put it on the Clipboard\nCopy", "copy")                              \
    X(EditPaste, 57637, "&Paste", "Ctrl+V;Shift+Ins", "Insert Clipboard contents\nPaste", "paste") \
    X(EditDelete, 32851, "&Delete\tDel", "",                                                       \
      "Delete the selected text or character at the insertion point", "")                          \
    X(EditTree, 32867, "Edit &Tree", "", "Tree Edit mode On/Off", "")                              \
    X(EditRegister, 32780, "Edit &Register", "", "Edit the Register value", "")                    \
    X(DecreaseValue, 32782, "D&ecrease value", "Num+-", "Decrease by 1\nDecrease value",           \
      "decrease")                                                                                  \
    X(IncreaseValue, 32781, "&Increase value", "Num++", "Increase by 1\nIncrease value",           \
      "increase")                                                                                  \
    X(EditFind, 101, "&Find...", "Alt+F3", "Find a text pattern", "")                              \
    X(NextChange, 32900, "Go to Next C&hange", "F4",                                               \
      "Move to the next value that the last read changed\nNext Change", "")                        \
    X(FindString, 57354, "Find String", "", "Find String\nFind String", "find")                    \
    X(RegisterList, 32859, "Register &List", "", "Display register as a list", "")                 \
    X(RegisterTree, 32784, "Register &Tree", "", "Display register as a tree", "")                 \
    X(ToggleBookmark, 32835, "&Toggle Bookmark", "Ctrl+F2",                                        \
      "Toggle a bookmark for the current line.", "")                                               \
    X(NextBookmark, 32836, "&Next Bookmark", "F2", "Moveto the next bookmarked line.", "")         \
    X(PreviousBookmark, 32838, "&Previous Bookmark", "Shift+F2",                                   \
      "Move to the previous bookmarked line", "")                                                  \
    X(ClearBookmarks, 32839, "&Clear All Bookmarks", "",                                           \
      "Clear all bookmarks in the active window.", "")                                             \
    X(ExpandTree, 57351, "&Expand Tree", "Shift+E", "Expand Tree\nExpand Tree", "expand")          \
    X(CollapseTree, 57353, "C&ollapse Tree", "Shift+C", "Collapse Tree\nCollapse Tree",            \
      "collapse")                                                                                  \
    X(ViewToolbar, 59392, "&Toolbar", "", "Toggle the toolbar on/off", "")                         \
    X(ViewStatusBar, 59393, "&Statusbar", "", "Toggle the status bar on/off", "")                  \
    X(ViewBasicbar, 32870, "&Basicbar", "", "Toggle the VEK Basic toolbar on/off", "")             \
    X(ViewMacrobar, 32786, "&Macrobar", "", "Toggle the macrobar on/off", "")                      \
    X(ViewSliderbar, 32868, "S&liderbar", "", "Show the sliderbar", "")                            \
    X(StopParse, 32855, "&Stop Parse", "", "", "")                                                 \
    X(ResetDriver, 32860, "&Reset Driver", "", "Reset all loaded driver", "")                      \
    X(WriteDefault, 32791, "Write &Default", "Ctrl+D", "Write Default\nWrite Default",             \
      "write_default")                                                                             \
    X(WriteNow, 32825, "&Write Now", "Ctrl+W", "Writing the current values.\nWrite Now",           \
      "write_now")                                                                                 \
    X(ReadNow, 32792, "&Read Now", "Ctrl+E", "Reading Now\nRead Now", "read_now")                  \
    X(WriteRegister, 32833, "Write Re&gister", "", "Write single register\nWrite Register",        \
      "write_register")                                                                            \
    X(ReadRegister, 32832, "Read Regi&ster", "", "Read single register\nRead Register",            \
      "read_register")                                                                             \
    X(LiveRefresh, 32901, "&Live Refresh", "Ctrl+L",                                               \
      "Read the chosen registers again and again\nLive Refresh", "live_refresh")                   \
    X(RefreshSelected, 32902, "&Selected Rows", "",                                                \
      "Live refresh reads the selected rows and the rows below them", "")                          \
    X(RefreshBookmarked, 32903, "&Bookmarked Rows", "",                                            \
      "Live refresh reads the bookmarked rows and the rows below them", "")                        \
    X(RefreshVisible, 32904, "&Visible Rows", "", "Live refresh reads the rows in view", "")       \
    X(PlotValue, 32906, "&Plot Value", "",                                                         \
      "Plot the selected register or bit field against time as it is read\nPlot Value", "")        \
    X(Simulation, 32797, "&Simulation", "", "Simulation On/Off", "")                               \
    X(SetBin, 32801, "Set &Bin", "", "Display in Binary\nSet Bin", "bin")                          \
    X(SetDec, 32802, "Set &Dec", "", "Dispaly in Decimal\nSet Dec", "dec")                         \
    X(SetHex, 32798, "Set &Hex", "", "Display in Hex\nSet Hex", "hex")                             \
    X(EditorName, 32804, "&Editor Name", "", "Edit ASCII Text editor's name", "")                  \
    X(ReadMacro, 32862, "&Read Macro", "", "Toggle the read macro execution on/off", "")           \
    X(WriteMacro, 32863, "&Write Macro", "", "Toggle the write macro execution on/off", "")        \
    X(RedrawDesktop, 32872, "Re&draw Desktop", "Ctrl+R", "Redraws the entire desktop", "")         \
    X(WindowCascade, 57650, "&Cascade", "", "Arrange the windows in a cascaded view", "")          \
    X(WindowTile, 57651, "&Tile", "", "Arrange the windows in a tiled view", "")                   \
    X(WindowCloseAll, 32844, "Close &All", "", "Close all open windows", "")                       \
    X(WindowWatch, 32829, "&Watch", "", "Open the Watch window", "")                               \
    X(WindowPlot, 32905, "&Plot", "", "Open the Plot window", "")                                  \
    X(WindowOutput, 32845, "&Output", "", "Open the Output window", "")                            \
    X(AppAbout, 57664, "&About VEK...", "",                                                        \
      "Display program information, version number and copyright\nAbout", "")                      \
    X(UserGuide, 57667, "&User Guide", "F1", "Open the user guide of vek32\nUser Guide", "")       \
    X(OpenProjectFile, 110, "Open a file of current project", "",                                  \
      "Open a file of current project\nOpen a file of current project", "open_project")            \
    X(AddSingleMacro, 32864, "Add Single Macro", "Alt+S", "Add single macro to the macro list",    \
      "")                                                                                          \
    X(AddAllMacros, 32865, "Add All Macros", "Alt+A", "Add all macros to the macro list'", "")     \
    X(Enter, 32856, "Enter", "", "", "")                                                           \
    X(NextPane, 57680, "Next Pane", "F6", "Switch to the next window pane\nNext Pane", "")         \
    X(PreviousPane, 57681, "Previous Pane", "Shift+F6",                                            \
      "Switch back to the previous window pane\nPrevious Pane", "")                                \
    X(InsertKey, 59140, "Insert", "Ins", "", "")                                                   \
    X(MacroNew, 61221, "New macro", "", "Create a new macro file\nNew macro", "macro_new")         \
    X(MacroOpen, 61222, "Open macro", "", "Open a macro file\nOpen macro", "macro_open")           \
    X(MacroSave, 61223, "Save macro", "", "Save the macro file\nSave macro", "macro_save")         \
    X(ScriptBrowse, 32795, "Browse", "", "Browse the procedures of the macro\nBrowse", "browse")   \
    X(DialogEditor, 32823, "Dialog editor", "", "Edit a user dialog\nDialog editor",               \
      "dialog_editor")                                                                             \
    X(ScriptRun, 32771, "Run", "F5", "Start or resume the macro\nRun", "run")                      \
    X(ScriptPause, 32772, "Pause", "Ctrl+Pause", "Pause the running macro\nPause", "pause")        \
    X(ScriptEnd, 32773, "End", "Pause", "End the running macro\nEnd", "end")                       \
    X(ToggleBreak, 32809, "Toggle Break", "F9",                                                    \
      "Set or clear a breakpoint on this line\nToggle "                                            \
      "Break",                                                                                     \
      "toggle_break")                                                                              \
    X(QuickWatch, 32789, "Quick Watch", "Shift+F9",                                                \
      "Show the value of the expression\nQuick Watch", "quick_watch")                              \
    X(StepInto, 32778, "Step Into", "F8", "Run the next statement, into procedures\nStep Into",    \
      "step_into")                                                                                 \
    X(StepOver, 32779, "Step Over", "Shift+F8",                                                    \
      "Run the next statement, over procedures\nStep Over", "step_over")                           \
    X(StepOut, 32811, "Step Out", "Ctrl+Shift+F8", "Run to the end of the procedure\nStep Out",    \
      "step_out")                                                                                  \
    X(ScriptPrint, 57607, "Print", "", "Print the macro\nPrint", "print")                          \
    X(StepToCursor, 32788, "Step to Cursor", "Ctrl+F8",                                            \
      "Run to the line of the caret\nStep to Cursor", "")                                          \
    X(AddWatch, 32790, "Add Watch", "", "Add the expression to the watch list\nAdd Watch", "")     \
    X(EditUserDialog, 32807, "Edit UserDialog", "", "Edit the user dialog\nEdit UserDialog", "")   \
    X(ScriptFont, 32808, "Font...", "", "Choose the font of the macro editor\nFont", "")           \
    X(ScriptFind, 57636, "Find...", "Ctrl+F", "Find a text in the macro\nFind", "")                \
    X(ScriptReplace, 57641, "Replace...", "Ctrl+H", "Replace a text in the macro\nReplace", "")    \
    X(ScriptRepeat, 57640, "Repeat", "F3", "Find the text again\nRepeat", "")                      \
    X(EditErase, 57632, "Erase", "", "Erase the selection\nErase", "")                             \
    X(EditSelectAll, 57642, "Select All", "", "Select the entire macro\nSelect All", "")

enum class CommandId : int {
#define VEK_COMMAND_ENUM(name, id, text, keys, prompt, icon) name = id,
    VEK_COMMANDS(VEK_COMMAND_ENUM)
#undef VEK_COMMAND_ENUM
};

// The ids numbered at run time.
namespace command_range {
inline constexpr int FirstRecentFile = 57616; // the recent-file entries of the File menu
inline constexpr int RecentFileCount = 4;
inline constexpr int FirstMacro = 32973;        // the Macros menu: macro i of the macro bar
inline constexpr int FirstWindowEntry = 0xFF01; // the window list of the Window menu
} // namespace command_range

} // namespace vek
