#pragma once

#include "ui/commands/command_ids.h"

#include <span>

namespace vek {

struct ToolBarSlot {
    enum class Kind { Button, Separator, FindBox };
    Kind kind = Kind::Separator;
    CommandId id = CommandId::FileNew;
};

// The main toolbar's 30 slots; slot 8 holds the find box.
std::span<const ToolBarSlot> MainToolBarSlots();
// The script toolbar's 22 slots.
std::span<const ToolBarSlot> ScriptToolBarSlots();

} // namespace vek
