#include "ui/frame/tool_bar_layout.h"

#include <array>

namespace vek {

namespace {

constexpr ToolBarSlot B(CommandId id) {
    return {ToolBarSlot::Kind::Button, id};
}
constexpr ToolBarSlot kSep{ToolBarSlot::Kind::Separator, CommandId::FileNew};
constexpr ToolBarSlot kFind{ToolBarSlot::Kind::FindBox, CommandId::FileNew};

using C = CommandId;

constexpr std::array kMainSlots = {
    B(C::OpenProjectFile),
    kSep,
    B(C::FileOpen),
    B(C::FileSaveAs),
    kSep,
    B(C::EditUndo),
    B(C::EditRedo),
    kSep,
    kFind,
    kSep,
    B(C::FindString),
    kSep,
    kSep,
    B(C::SetBin),
    B(C::SetDec),
    B(C::SetHex),
    kSep,
    kSep,
    B(C::WriteDefault),
    kSep,
    B(C::WriteNow),
    B(C::ReadNow),
    B(C::WriteRegister),
    B(C::ReadRegister),
    kSep,
    B(C::DecreaseValue),
    B(C::IncreaseValue),
    kSep,
    B(C::CollapseTree),
    B(C::ExpandTree),
};
static_assert(kMainSlots.size() == 30);

constexpr std::array kScriptSlots = {
    B(C::MacroNew),
    B(C::MacroOpen),
    B(C::MacroSave),
    kSep,
    B(C::EditCut),
    B(C::EditCopy),
    B(C::EditPaste),
    kSep,
    B(C::ScriptBrowse),
    B(C::DialogEditor),
    kSep,
    B(C::ScriptRun),
    B(C::ScriptPause),
    B(C::ScriptEnd),
    kSep,
    B(C::ToggleBreak),
    B(C::QuickWatch),
    B(C::StepInto),
    B(C::StepOver),
    B(C::StepOut),
    kSep,
    B(C::ScriptPrint),
};
static_assert(kScriptSlots.size() == 22);

} // namespace

std::span<const ToolBarSlot> MainToolBarSlots() {
    return kMainSlots;
}

std::span<const ToolBarSlot> ScriptToolBarSlots() {
    return kScriptSlots;
}

} // namespace vek
