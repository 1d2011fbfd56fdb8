#pragma once

#include "ui/commands/command_ids.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <span>

namespace vek {

// One line of the command table.
struct CommandInfo {
    CommandId id;
    const char* menuText;
    const char* shortcuts;
    const char* prompt;
    const char* icon; // resource name under :/icons, empty for none
};

std::span<const CommandInfo> AllCommands();
// The line of an id; every CommandId has one.
const CommandInfo& FindCommand(CommandId id);

// The status-bar prompt: the prompt string up to its "\n".
QString StatusPrompt(const CommandInfo& info);
// The tooltip: the prompt string after its "\n", else the menu text without "&" and shortcut.
QString ToolTip(const CommandInfo& info);
QList<QKeySequence> Shortcuts(const CommandInfo& info);

} // namespace vek
