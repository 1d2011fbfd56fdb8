// The toolbars: their slots, every button in sight at the start-up sizes, the find box's history in
// the profile, and the auto-repeat of Increase value and Decrease value driven by real mouse
// presses.
#include "ui_test_support.h"

#include "platform/profile_file.h"
#include "ui/commands/command_router.h"
#include "ui/frame/auto_repeat.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/views/mdi_tree_wnd.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QToolButton>

namespace vek {

namespace {

// A tree view stand-in that handles Increase value and Decrease value and counts them.
class CountingView : public CommandTarget {
public:
    std::optional<CommandState> QueryCommand(CommandId id) override {
        if (id == CommandId::IncreaseValue || id == CommandId::DecreaseValue)
            return CommandState::Enabled();
        return std::nullopt;
    }
    void RunCommand(CommandId id) override { ++runs[id]; }

    std::map<CommandId, int> runs;
};

} // namespace

class ToolBarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mainToolBarHasItsThirtySlotsAndTheFindBox() {
        test::AppFixture fixture;
        CVekToolBar& bar = fixture.Frame().MainToolBar();
        QCOMPARE(bar.actions().size(), 30);
        QVERIFY(bar.FindBox() != nullptr);
        QCOMPARE(bar.widgetForAction(bar.actions().at(8)), bar.FindBox());
        QCOMPARE(bar.FindBox()->width(), CVekToolBar::kFindBoxWidth);
        QCOMPARE(fixture.Frame().ScriptToolBar().actions().size(), 22);
        QVERIFY(fixture.Frame().ScriptToolBar().isHidden());
        // Every button has a tooltip; Open's comes after the "\n" of its prompt.
        for (QAction* action : bar.actions()) {
            if (!action->isSeparator() && bar.widgetForAction(action) != bar.FindBox())
                QVERIFY2(!action->toolTip().isEmpty(), qPrintable(action->text()));
        }
        QCOMPARE(fixture.Frame().Router().Action(CommandId::FileOpen)->toolTip(),
                 QStringLiteral("Open"));
    }

    void everyButtonIsInSightInTheStartUpWindow() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("board.vek")));
        CFixedFrame& frame = fixture.Frame();
        QVERIFY(!frame.ScriptToolBar().isHidden());
        // The window starts two thirds of the screen wide and high.
        for (const QSize screen : {QSize(1280, 1024), QSize(1024, 768)}) {
            frame.resize(screen.width() * 2 / 3, screen.height() * 2 / 3);
            QTest::qWait(1);
            for (const QToolBar* bar : {static_cast<QToolBar*>(&frame.MainToolBar()),
                                        static_cast<QToolBar*>(&frame.ScriptToolBar())}) {
                const auto* overflow =
                    bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
                QVERIFY(overflow == nullptr || !overflow->isVisible());
                for (QAction* action : bar->actions()) {
                    const QWidget* shown = bar->widgetForAction(action);
                    QVERIFY2(action->isSeparator() || (shown != nullptr && shown->isVisible() &&
                                                       bar->rect().contains(shown->geometry())),
                             qPrintable(QStringLiteral("%1 at %2x%3")
                                            .arg(action->text())
                                            .arg(screen.width())
                                            .arg(screen.height())));
                }
            }
        }
    }

    void findHistoryKeepsItsOrderThroughTheProfile() {
        test::AppFixture fixture;
        ProfileFile profile(fixture.Files().Path(QStringLiteral("history.ini")).toStdString());
        profile.SetString("Find", "Find1", "oldest");
        profile.SetString("Find", "Find2", "middle");
        profile.SetString("Find", "Find3", "newest");
        profile.SetString("Find", "Find5", "after a gap"); // reading stops at the first empty key
        CVekToolBar& bar = fixture.Frame().MainToolBar();
        bar.FindBox()->clear();
        bar.LoadFindHistory(profile);
        QCOMPARE(bar.FindBox()->count(), 3);
        QCOMPARE(bar.FindBox()->itemText(0), QStringLiteral("newest"));
        QCOMPARE(bar.FindBox()->itemText(2), QStringLiteral("oldest"));
        ProfileFile saved(fixture.Files().Path(QStringLiteral("saved.ini")).toStdString());
        bar.SaveFindHistory(saved);
        QCOMPARE(saved.GetString("Find", "Find1", "", 80), std::string("oldest"));
        QCOMPARE(saved.GetString("Find", "Find3", "", 80), std::string("newest"));
    }

    void findHistoryIsSavedWhenTheProgramEnds() {
        test::AppFixture fixture;
        fixture.Frame().MainToolBar().FindBox()->addItem(QStringLiteral("CTRL"));
        fixture.Frame().close();
        ProfileFile profile((fixture.ProfileFolder() + QStringLiteral("/vek32.ini")).toStdString());
        QVERIFY(profile.Load());
        QCOMPARE(profile.GetString("Find", "Find1", "", 80), std::string("CTRL"));
    }

    void typingInTheFindBoxDoesNotFireShortcuts() {
        test::AppFixture fixture;
        QLineEdit* edit = fixture.Frame().MainToolBar().FindBox()->lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("EC"), Qt::ShiftModifier);
        QCOMPARE(edit->text(), QStringLiteral("EC"));
        QVERIFY(fixture.Frame().FindBoxFocused());
        QCOMPARE(fixture.Frame().StatusBar().PaneText(0), QStringLiteral("Find a text string"));
        // The find box never adds its text to the list by itself.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(fixture.Frame().MainToolBar().FindBox()->count(), 0);
    }

    void autoRepeatStateMachine() {
        AutoRepeat repeat;
        QCOMPARE(repeat.Press(CommandId::IncreaseValue).restart, AutoRepeat::kDelay);
        AutoRepeat::Step step = repeat.Tick(false);
        QVERIFY(step.send);
        QCOMPARE(step.restart, AutoRepeat::kInterval);
        step = repeat.Tick(false);
        QVERIFY(step.send);
        QCOMPARE(step.restart, 0);
        step = repeat.Tick(true); // the right button joins: faster
        QCOMPARE(step.restart, AutoRepeat::kFastInterval);
        step = repeat.Tick(false); // and leaves
        QCOMPARE(step.restart, AutoRepeat::kInterval);
        QVERIFY(repeat.Release().stop);
        QVERIFY(repeat.Tick(false).stop);
        QVERIFY(!repeat.Tick(false).send);

        repeat.Press(CommandId::DecreaseValue);
        step = repeat.Tick(true); // right button held from the start
        QCOMPARE(step.restart, AutoRepeat::kFastStartInterval);
        QVERIFY(step.send);
        QCOMPARE(repeat.Command(), CommandId::DecreaseValue);
    }

    void holdingIncreaseRepeatsIt() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("board.vek")));
        auto* tree = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(tree != nullptr);
        CountingView view;
        tree->SetTreeView(new QWidget, &view);
        tree->widget()->setFocus(); // on the stand-in, as on the tree it replaces
        fixture.Frame().Router().UpdateAll();
        CVekToolBar& bar = fixture.Frame().MainToolBar();
        QToolButton* button = bar.ButtonFor(CommandId::IncreaseValue);
        QVERIFY(button->isEnabled());

        QTest::mousePress(button, Qt::LeftButton);
        QCOMPARE(bar.RepeatInterval(), AutoRepeat::kDelay);
        QTRY_VERIFY_WITH_TIMEOUT(view.runs[CommandId::IncreaseValue] >= 3, 2000);
        QCOMPARE(bar.RepeatInterval(), AutoRepeat::kInterval);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(bar.RepeatInterval(), -1);
        const int runs = view.runs[CommandId::IncreaseValue];
        QTest::qWait(250);
        // The click itself counts once more when the button is released.
        QVERIFY(view.runs[CommandId::IncreaseValue] <= runs + 1);

        // Leaving the button stops the repetition.
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseMove(button, QPoint(button->width() + 20, button->height() / 2));
        QCOMPARE(bar.RepeatInterval(), -1);
        QTest::mouseRelease(button, Qt::LeftButton);
        tree->SetTreeView(new QWidget, nullptr);
    }
};

} // namespace vek

QTEST_MAIN(vek::ToolBarTest)
#include "tool_bar_test.moc"
