#pragma once

#include "ui/commands/command_target.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QWidget;

namespace vek {

// One QAction per command of the table, and the route every command takes: the targets that the
// route provider names, first to last (active view, its document, its child frame, the main
// frame, the application). States are recomputed by UpdateAll; a command runs only when its
// route gives it an enabled state at that moment.
class CommandRouter : public QObject {
    Q_OBJECT

public:
    using Route = std::function<std::vector<CommandTarget*>()>;

    // The actions are added to `window`, so their shortcuts work whatever menu bar is shown.
    CommandRouter(QWidget* window, Route route);

    QAction* Action(CommandId id) const;
    // The state the route gives the command now; disabled when no target handles it.
    CommandState Query(CommandId id) const;
    // Runs the command when the route enables it; false otherwise (also while blocked).
    bool Execute(CommandId id);
    // Brings every action's enabled and checked state up to date.
    void UpdateAll();
    // While blocked (a long operation keeps the event loop alive) no command runs.
    void SetBlocked(bool blocked) { blocked_ = blocked; }
    bool IsBlocked() const { return blocked_; }

Q_SIGNALS:
    // After a command ran.
    void Executed(vek::CommandId id);

private:
    CommandTarget* Handler(CommandId id, CommandState& state) const;
    void Apply(QAction& action, const CommandState& state) const;

    Route route_;
    std::map<CommandId, QAction*> actions_;
    bool blocked_ = false;
};

} // namespace vek
