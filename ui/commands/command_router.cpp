#include "ui/commands/command_router.h"

#include "ui/commands/command_table.h"

#include <QAction>
#include <QIcon>
#include <QWidget>

namespace vek {

CommandRouter::CommandRouter(QWidget* window, Route route)
    : QObject(window), route_(std::move(route)) {
    for (const CommandInfo& info : AllCommands()) {
        auto* action = new QAction(QString::fromUtf8(info.menuText), this);
        action->setShortcuts(Shortcuts(info));
        action->setStatusTip(StatusPrompt(info));
        action->setToolTip(ToolTip(info));
        if (info.icon[0] != '\0')
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(info.icon)));
        action->setEnabled(false);
        const CommandId id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        window->addAction(action);
        actions_[id] = action;
    }
}

QAction* CommandRouter::Action(CommandId id) const {
    return actions_.at(id);
}

CommandTarget* CommandRouter::Handler(CommandId id, CommandState& state) const {
    for (CommandTarget* target : route_()) {
        if (target == nullptr)
            continue;
        if (const std::optional<CommandState> answer = target->QueryCommand(id)) {
            state = *answer;
            return target;
        }
    }
    state = CommandState::Disabled();
    return nullptr;
}

CommandState CommandRouter::Query(CommandId id) const {
    CommandState state;
    Handler(id, state);
    return state;
}

bool CommandRouter::Execute(CommandId id) {
    if (blocked_)
        return false;
    CommandState state;
    CommandTarget* target = Handler(id, state);
    if (target == nullptr || !state.enabled) {
        UpdateAll();
        return false;
    }
    target->RunCommand(id);
    Q_EMIT Executed(id);
    return true;
}

void CommandRouter::Apply(QAction& action, const CommandState& state) const {
    action.setEnabled(state.enabled);
    action.setCheckable(state.checkable);
    action.setChecked(state.checkable && state.checked);
}

void CommandRouter::UpdateAll() {
    for (const auto& [id, action] : actions_)
        Apply(*action, Query(id));
}

} // namespace vek
