#pragma once

#include <cstdint>

namespace vek {

// How a script editor presents its modules: the language's name, the file type text and the
// default extension of its file dialogs, a colour (0x00BBGGRR, the editor's marker of the
// statement a paused script stands at) and the words it colours beyond the language's own
// keywords and functions.
struct ScriptEditorSettings {
    const char* languageName;
    const char* fileTypeText;
    const char* defaultExtension;
    std::uint32_t colour;
    const char* extraKeywords; // "|"-framed, blank-separated
};

// A plain editor, before a register tree window's script pane configures it.
inline constexpr ScriptEditorSettings kPlainEditorSettings{"Sax Basic", "Sax Basic", "BAS",
                                                           0xFFFF80, "||"};

// The script pane of a register tree window: the extension's methods and the utility functions
// are coloured like the language's own words.
inline constexpr ScriptEditorSettings kMacroViewSettings{
    "Vek Basic", "VEK Basic File", "VKM", 0xFF8080,
    "|ReadReg WriteReg WriteAll ReadAll WriteDefault DebugOut Inc Dec LeftShift RightShift "
    "Magic|"};

} // namespace vek
