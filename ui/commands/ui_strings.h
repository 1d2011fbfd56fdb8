#pragma once

namespace vek {

// The texts of vek32's own windows, by their string numbers. Texts are exact.
#define VEK_UI_STRINGS(X)                                                                          \
    X(MaxWindows, 49, "The maximum number of open windows has been reached.")                      \
    X(FindBoxPrompt, 105, "Find a text string\nFind a text string")                                \
    X(AppTitle, 57344, "VEK")                                                                      \
    X(FrameTitle, 300, "Tarvel")                                                                   \
    X(IdleMessage, 57345, "Ready")                                                                 \
    X(RecentFileNone, 57346, "Recent File")                                                        \
    X(OutputTitle, 302, "Output")                                                                  \
    X(MacroStillActive, 1, "Macro still active.\n\nEnd all macros before quitting Windows.")       \
    X(DescriptionChanged, 2,                                                                       \
      "%1 has changed on disk.\n\nReload it? The registers that are still in it keep their "       \
      "values; the values of the others are lost.")                                                \
    X(ReloadFailed, 3, "%1: not reloaded; the open copy stays as it was")

enum class UiStringId : int {
#define VEK_UI_STRING_ID(name, number, text) name = number,
    VEK_UI_STRINGS(VEK_UI_STRING_ID)
#undef VEK_UI_STRING_ID
};

const char* UiString(UiStringId id);

} // namespace vek
