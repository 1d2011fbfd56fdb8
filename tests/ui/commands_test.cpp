// The command table and the route: shortcuts as the table writes them, a prompt for every menu
// entry, and the first target on the route deciding a command's state.
#include "ui/commands/command_router.h"
#include "ui/commands/command_table.h"
#include "ui/commands/menu_layout.h"

#include <QAction>
#include <QTest>
#include <QWidget>

namespace vek {

namespace {

// A target that answers a fixed state for one command and counts its runs.
class FixedTarget : public CommandTarget {
public:
    FixedTarget(CommandId id, std::optional<CommandState> state) : id_(id), state_(state) {}
    std::optional<CommandState> QueryCommand(CommandId id) override {
        return id == id_ ? state_ : std::nullopt;
    }
    void RunCommand(CommandId) override { ++runs; }
    int runs = 0;

private:
    CommandId id_;
    std::optional<CommandState> state_;
};

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortcutsAsTheTableWritesThem() {
        QCOMPARE(Shortcuts(FindCommand(CommandId::DecreaseValue)),
                 QList<QKeySequence>{QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)});
        QCOMPARE(Shortcuts(FindCommand(CommandId::IncreaseValue)),
                 QList<QKeySequence>{QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)});
        QCOMPARE(Shortcuts(FindCommand(CommandId::EditUndo)),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z),
                                      QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
        QCOMPARE(Shortcuts(FindCommand(CommandId::EditFind)),
                 QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_F3)});
        QCOMPARE(Shortcuts(FindCommand(CommandId::ScriptPause)),
                 QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Pause)});
        QVERIFY(Shortcuts(FindCommand(CommandId::EditRedo)).isEmpty());
    }

    void everyMenuEntryHasItsPrompt() {
        for (const MenuLayout& menu : AllMenus()) {
            for (const MenuEntry& entry : menu.entries) {
                if (entry.kind != MenuEntry::Kind::Command || entry.id == CommandId::StopParse)
                    continue;
                QVERIFY2(!StatusPrompt(FindCommand(entry.id)).isEmpty(),
                         FindCommand(entry.id).menuText);
            }
        }
        QCOMPARE(StatusPrompt(FindCommand(CommandId::WriteNow)),
                 QStringLiteral("Writing the current values."));
        QCOMPARE(ToolTip(FindCommand(CommandId::WriteNow)), QStringLiteral("Write Now"));
        QCOMPARE(ToolTip(FindCommand(CommandId::RedrawDesktop)), QStringLiteral("Redraw Desktop"));
    }

    void theFirstTargetThatAnswersDecides() {
        QWidget window;
        FixedTarget silent(CommandId::WriteNow, std::nullopt);
        FixedTarget refusing(CommandId::WriteNow, CommandState::Disabled());
        FixedTarget willing(CommandId::WriteNow, CommandState::Enabled());
        std::vector<CommandTarget*> route{nullptr, &silent, &refusing, &willing};
        CommandRouter router(&window, [&route] { return route; });
        QVERIFY(!router.Query(CommandId::WriteNow).enabled);
        QVERIFY(!router.Execute(CommandId::WriteNow));
        QCOMPARE(willing.runs, 0);
        route = {&silent, &willing};
        QVERIFY(router.Execute(CommandId::WriteNow));
        QCOMPARE(willing.runs, 1);
        router.UpdateAll();
        QVERIFY(router.Action(CommandId::WriteNow)->isEnabled());
        // A command nobody answers is disabled.
        QVERIFY(!router.Action(CommandId::ReadNow)->isEnabled());
        // While long work runs nothing starts.
        router.SetBlocked(true);
        QVERIFY(!router.Execute(CommandId::WriteNow));
        QCOMPARE(willing.runs, 1);
    }

    void checkMarksFollowTheState() {
        QWidget window;
        FixedTarget checked(CommandId::Simulation, CommandState::Check(true, true));
        CommandRouter router(&window, [&checked] { return std::vector<CommandTarget*>{&checked}; });
        router.UpdateAll();
        QAction* action = router.Action(CommandId::Simulation);
        QVERIFY(action->isCheckable());
        QVERIFY(action->isChecked());
        QCOMPARE(action->statusTip(), QStringLiteral("Simulation On/Off"));
        // A triggered action runs through the route.
        action->trigger();
        QCOMPARE(checked.runs, 1);
    }
};

} // namespace vek

QTEST_MAIN(vek::CommandsTest)
#include "commands_test.moc"
