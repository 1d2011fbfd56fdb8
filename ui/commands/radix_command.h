#pragma once

#include "model/register_codes.h"
#include "ui/commands/command_ids.h"

#include <optional>

namespace vek {

// The radix that Set Hex, Set Dec or Set Bin chooses, as the update code the items take; nothing
// for any other command.
inline std::optional<UpdateCode> RadixOfCommand(CommandId id) {
    switch (id) {
    case CommandId::SetHex:
        return UpdateCode::Hex;
    case CommandId::SetDec:
        return UpdateCode::Decimal;
    case CommandId::SetBin:
        return UpdateCode::Binary;
    default:
        return std::nullopt;
    }
}

} // namespace vek
