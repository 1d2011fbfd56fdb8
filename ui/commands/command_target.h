#pragma once

#include "ui/commands/command_ids.h"

#include <optional>

namespace vek {

// How a command shows in menus and toolbars.
struct CommandState {
    bool enabled = true;
    bool checkable = false; // shows a check mark, set or not
    bool checked = false;

    static CommandState Disabled() { return {false, false, false}; }
    static CommandState Enabled(bool on = true) { return {on, false, false}; }
    static CommandState Check(bool enabled, bool checked) { return {enabled, true, checked}; }
};

// Something on a command's route: a view, a document, a child frame, the main frame or the
// application. The first target on the route that answers a command's query handles it; a
// command that no target answers is disabled.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // The command's state when this target handles it, nothing to pass it along the route.
    virtual std::optional<CommandState> QueryCommand(CommandId id) = 0;
    // Runs a command whose query here gave an enabled state.
    virtual void RunCommand(CommandId id) = 0;
};

} // namespace vek
