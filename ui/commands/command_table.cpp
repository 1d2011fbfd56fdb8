#include "ui/commands/command_table.h"

#include <algorithm>
#include <array>

namespace vek {

namespace {

constexpr std::array kCommands = {
#define VEK_COMMAND_INFO(name, id, text, keys, prompt, icon)                                       \
    CommandInfo{CommandId::name, text, keys, prompt, icon},
    VEK_COMMANDS(VEK_COMMAND_INFO)
#undef VEK_COMMAND_INFO
};

constexpr bool IdsAreUnique() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        for (std::size_t j = i + 1; j < kCommands.size(); ++j) {
            if (kCommands[i].id == kCommands[j].id)
                return false;
        }
    }
    return true;
}
static_assert(IdsAreUnique(), "two commands of the table share an id");

} // namespace

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

const CommandInfo& FindCommand(CommandId id) {
    const auto* found = std::find_if(kCommands.begin(), kCommands.end(),
                                     [id](const CommandInfo& info) { return info.id == id; });
    return *found;
}

QString StatusPrompt(const CommandInfo& info) {
    const QString prompt = QString::fromUtf8(info.prompt);
    return prompt.section(QLatin1Char('\n'), 0, 0);
}

QString ToolTip(const CommandInfo& info) {
    const QString prompt = QString::fromUtf8(info.prompt);
    const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
    if (newline >= 0)
        return prompt.mid(newline + 1);
    QString text = QString::fromUtf8(info.menuText).section(QLatin1Char('\t'), 0, 0);
    return text.remove(QLatin1Char('&'));
}

QList<QKeySequence> Shortcuts(const CommandInfo& info) {
    QList<QKeySequence> keys;
    for (const QString& key : QString::fromUtf8(info.shortcuts).split(QLatin1Char(';'))) {
        if (!key.isEmpty())
            keys.append(QKeySequence::fromString(key, QKeySequence::PortableText));
    }
    return keys;
}

} // namespace vek
