// The script pane of the register tree window, driven like a user: scripts run from the toolbar
// commands and their keys while the tree stays alive, the debugger stops at breakpoints and
// steps, watches are evaluated, and windows and the program wait for a running script.
#include "tree_test_support.h"
#include "ui_test_support.h"

#include "platform/file_limits.h"
#include "scripting/basic/engine.h"
#include "scripting/script_editor_settings.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/macro_bar.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/script/basic_lexer.h"
#include "ui/script/debug_panels.h"
#include "ui/script/macro_view.h"
#include "ui/script/module_editor.h"
#include "ui/script/script_run_loop.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/vek_out_view.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>

namespace vek {

namespace {

using basic::RunState;

// A board of two one-byte registers on the test driver, its window and script pane, and a
// script written beside it and opened in the pane.
struct ScriptBoard {
    explicit ScriptBoard(test::AppFixture& fixture) {
        // One-byte addresses, as the test driver's call log is read below.
        fixture.App().OpenDocumentFile(fixture.Files().Write(
            QStringLiteral("board.vek"), QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                                        "0: CHIP A1 D1;\n"
                                                        "1: R1 [0x01] = 0 b;\n"
                                                        "1: R2 [0x02] = 0 b;\n"
                                                        "#EndRegisterList\n")));
        window = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
        pane = window != nullptr ? window->ScriptPane() : nullptr;
    }

    ModuleEditor* Open(test::AppFixture& fixture, const QString& name, const QString& text) {
        ModuleEditor* editor = pane->OpenModule(fixture.Files().Write(name, text));
        if (editor != nullptr)
            editor->setFocus();
        return editor;
    }

    RunState State() const { return pane->RunLoop().State(); }
    int Line() const { return pane->Scripts().Engine().CurrentLocation().line; }
    QString Watch(int row) const { return pane->Watches().topLevelItem(row)->text(1); }

    test::TestDriver driver;
    CMDITreeWnd* window = nullptr;
    CMacroView* pane = nullptr;
};

// A click into the breakpoint margin beside the line, as the user sets a breakpoint.
void ClickMargin(ModuleEditor& editor, int line) {
    const long position = editor.positionFromLineIndex(line - 1, 0);
    const int y = static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION,
                                                        0UL, position)) +
                  editor.textHeight(line - 1) / 2;
    const int x = editor.marginWidth(0) + editor.marginWidth(1) / 2;
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, QPoint(x, y));
}

const char* const kStepScript = "Sub Main\n"                // 1
                                "    Dim x As Integer\n"    // 2
                                "    x = 1\n"               // 3
                                "    Twice x\n"             // 4
                                "    x = x + 10\n"          // 5
                                "    Print \"x=\" & x\n"    // 6
                                "End Sub\n"                 // 7
                                "Sub Twice(v As Integer)\n" // 8
                                "    v = v * 2\n"           // 9
                                "    v = v + 0\n"           // 10
                                "End Sub\n";                // 11

// A one-register board whose script macro `name` loads `file` into the pane (L) when it opens.
QString WriteMacroBoard(test::AppFixture& fixture, const QString& name, const QString& file) {
    return fixture.Files().Write(QStringLiteral("macros.vek"),
                                 QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                                "0: CHIP A1 D1;\n"
                                                "1: R2 [0x02] = 0 b;\n"
                                                "#EndRegisterList\n"
                                                "#BeginBasic %1 P L \"%2\" #EndBasic\n")
                                     .arg(name, file));
}

} // namespace

class ScriptPaneTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scriptWritesRegistersWhileTheTreeFollows() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        QVERIFY(board.pane != nullptr);
        ModuleEditor* editor = board.Open(fixture, QStringLiteral("count.bas"),
                                          QStringLiteral("Sub Main\n"
                                                         "    Dim i As Integer\n"
                                                         "    For i = 1 To 5\n"
                                                         "        WriteReg R1, i\n"
                                                         "        Wait 30\n"
                                                         "    Next\n"
                                                         "    Print \"done\"\n"
                                                         "    Wait 300\n"
                                                         "End Sub\n"));
        QVERIFY(editor != nullptr);
        board.driver.Reset();
        QTest::keyClick(editor, Qt::Key_F5);
        // It waits on a timer: the event loop goes on, Run is off, Pause and End are on.
        QTRY_COMPARE(board.State(), RunState::Waiting);
        QVERIFY(!fixture.Enabled(CommandId::ScriptRun));
        QVERIFY(fixture.Enabled(CommandId::ScriptPause));
        QVERIFY(fixture.Enabled(CommandId::ScriptEnd));
        QVERIFY(editor->isReadOnly());
        // The tree shows what the script wrote while it still runs.
        test::TreeWindow tree(fixture);
        QTRY_VERIFY(fixture.App().OutputView().Lines().contains(QStringLiteral("done")));
        QCOMPARE(board.State(), RunState::Waiting);
        QCOMPARE(tree.Data(QStringLiteral("R1")), QStringLiteral("5"));
        QTRY_COMPARE(board.State(), RunState::Finished);
        QCOMPARE(board.driver.Writes(0x01), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
        QCOMPARE(tree.Data(QStringLiteral("R1")), QStringLiteral("5"));
        QVERIFY(fixture.App().OutputView().Lines().contains(QStringLiteral("done")));
        QVERIFY(!editor->isReadOnly());
        QVERIFY(fixture.Enabled(CommandId::ScriptRun));
        QVERIFY(!fixture.Enabled(CommandId::ScriptEnd));
    }

    void breakpointStepsAndWatches() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        ModuleEditor* editor =
            board.Open(fixture, QStringLiteral("steps.bas"), QString::fromUtf8(kStepScript));
        QVERIFY(editor != nullptr);
        ClickMargin(*editor, 4);
        QVERIFY(editor->HasBreakpoint(4));
        QTest::keyClick(editor, Qt::Key_F5);
        QTRY_COMPARE(board.State(), RunState::Paused);
        QCOMPARE(board.Line(), 4);
        QCOMPARE(editor->CaretLine(), 4);
        QCOMPARE(board.pane->CallStack().topLevelItemCount(), 1);
        // A watch on x, added from the selection.
        editor->setSelection(2, 4, 2, 5);
        QCOMPARE(editor->WatchText(), QStringLiteral("x"));
        QVERIFY(fixture.Run(CommandId::AddWatch));
        QCOMPARE(board.Watch(0), QStringLiteral("1"));
        // Into the procedure, out again, over a line.
        QTest::keyClick(editor, Qt::Key_F8);
        QTRY_COMPARE(board.State(), RunState::Paused);
        QCOMPARE(board.Line(), 9);
        QCOMPARE(board.pane->CallStack().topLevelItemCount(), 2);
        QVERIFY(fixture.Enabled(CommandId::StepOut));
        QTest::keyClick(editor, Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(board.State(), RunState::Paused);
        QCOMPARE(board.pane->CallStack().topLevelItemCount(), 1);
        QCOMPARE(board.Watch(0), QStringLiteral("2"));
        const int afterCall = board.Line();
        QVERIFY(afterCall == 4 || afterCall == 5);
        if (afterCall == 4) {
            QTest::keyClick(editor, Qt::Key_F8, Qt::ShiftModifier);
            QTRY_COMPARE(board.Line(), 5);
        }
        // To the caret's line, then on to the end.
        editor->setCursorPosition(5, 0);
        QVERIFY(fixture.Run(CommandId::StepToCursor));
        QTRY_COMPARE(board.Line(), 6);
        QCOMPARE(board.Watch(0), QStringLiteral("12"));
        QTest::keyClick(editor, Qt::Key_F5);
        QTRY_COMPARE(board.State(), RunState::Finished);
        QVERIFY(fixture.App().OutputView().Lines().contains(QStringLiteral("x=12")));
        QCOMPARE(board.pane->CallStack().topLevelItemCount(), 0);
        QCOMPARE(board.Watch(0), QStringLiteral("<not paused>"));
    }

    void stepsFromRestAndRunsToTheCursor() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        ModuleEditor* editor =
            board.Open(fixture, QStringLiteral("steps.bas"), QString::fromUtf8(kStepScript));
        // Step Into from rest stops before the first statement.
        QVERIFY(fixture.Run(CommandId::StepInto));
        QCOMPARE(board.State(), RunState::Paused);
        QVERIFY(board.Line() <= 3);
        QVERIFY(fixture.Run(CommandId::ScriptEnd));
        QCOMPARE(board.State(), RunState::Stopped);
        // Step to Cursor from rest runs to the caret's line.
        editor->setCursorPosition(9, 4);
        QVERIFY(fixture.Run(CommandId::StepToCursor));
        QTRY_COMPARE(board.State(), RunState::Paused);
        QCOMPARE(board.Line(), 10);
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Finished);
    }

    void pauseAndEndAnEndlessScript() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        ModuleEditor* editor = board.Open(fixture, QStringLiteral("endless.bas"),
                                          QStringLiteral("Sub Main\n"
                                                         "    Dim n As Long\n"
                                                         "    Do\n"
                                                         "        n = n + 1\n"
                                                         "    Loop\n"
                                                         "End Sub\n"));
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        // The event loop goes on while it runs: timers fire, the window repaints.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(5);
        QTRY_VERIFY(ticks >= 10);
        QCOMPARE(board.State(), RunState::Running);
        QVERIFY(fixture.Run(CommandId::ScriptPause));
        QTRY_COMPARE(board.State(), RunState::Paused);
        editor->setSelection(3, 8, 3, 9);
        board.pane->Watches().AddWatch(QStringLiteral("n"));
        QVERIFY2(board.Watch(0).toLong() > 0, qPrintable(board.Watch(0)));
        QVERIFY(fixture.Enabled(CommandId::QuickWatch));
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Running);
        // Stopped when the command returns: End does not wait for the script's next slice.
        QVERIFY(fixture.Run(CommandId::ScriptEnd));
        QCOMPARE(board.State(), RunState::Stopped);
        QVERIFY(!editor->isReadOnly());
    }

    void endCutsAWaitShort() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        board.Open(fixture, QStringLiteral("wait.bas"),
                   QStringLiteral("Sub Main\n    Wait 100000\n    Print \"late\"\nEnd Sub\n"));
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Waiting);
        QVERIFY(fixture.Run(CommandId::ScriptEnd));
        QCOMPARE(board.State(), RunState::Stopped);
        QTest::qWait(50);
        QVERIFY(!fixture.App().OutputView().Lines().contains(QStringLiteral("late")));
    }

    void runTimeErrorMarksItsLine() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        ModuleEditor* editor = board.Open(fixture, QStringLiteral("fails.bas"),
                                          QStringLiteral("Sub Main\n"
                                                         "    Dim a(2) As Integer\n"
                                                         "    a(5) = 1\n"
                                                         "End Sub\n"));
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Failed);
        QCOMPARE(editor->CaretLine(), 3);
        const QStringList lines = fixture.App().OutputView().Lines();
        QVERIFY2(lines.last().startsWith(QStringLiteral("Error 9: ")), qPrintable(lines.last()));
        QVERIFY(lines.last().endsWith(QStringLiteral("line 3)")));
        // A compile error marks its line too, and nothing runs.
        editor->setText(QStringLiteral("Sub Main\n    x = \nEnd Sub\n"));
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QVERIFY(board.State() != RunState::Running);
        QVERIFY2(fixture.App().OutputView().Lines().last().contains(QStringLiteral("(2,")),
                 qPrintable(fixture.App().OutputView().Lines().join('|')));
        QCOMPARE(editor->CaretLine(), 2);
    }

    void msgBoxAsksWithARealDialog() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        board.Open(fixture, QStringLiteral("ask.bas"),
                   QStringLiteral("Sub Main\n"
                                  "    Print \"answer \" & MsgBox(\"Go on?\", vbYesNo, \"Check\")\n"
                                  "End Sub\n"));
        test::MessageBoxAnswer answer(QMessageBox::No);
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Finished);
        QVERIFY(answer.Answered());
        QCOMPARE(answer.Title(), QStringLiteral("Check"));
        QCOMPARE(answer.Text(), QStringLiteral("Go on?"));
        QVERIFY(fixture.App().OutputView().Lines().contains(QStringLiteral("answer 7")));
    }

    void inputBoxAsksWithARealDialog() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        board.Open(fixture, QStringLiteral("input.bas"),
                   QStringLiteral("Sub Main\n"
                                  "    Dim s As String\n"
                                  "    s = InputBox(\"Value?\", \"Set R1\", \"5\")\n"
                                  "    WriteReg R1, CInt(s)\n"
                                  "    Print \"[\" & InputBox(\"Again?\") & \"]\"\n"
                                  "End Sub\n"));
        int asked = 0;
        // The first dialog takes 42 over its default; the second is cancelled.
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&asked] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            if (asked++ == 0) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Set R1"));
                QCOMPARE(dialog->textValue(), QStringLiteral("5"));
                dialog->setTextValue(QStringLiteral("42"));
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
        answer.start(10);
        board.driver.Reset();
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Finished);
        QCOMPARE(asked, 2);
        QCOMPARE(board.driver.Writes(0x01), std::vector<uint32_t>{42});
        QVERIFY(fixture.App().OutputView().Lines().contains(QStringLiteral("[]")));
    }

    void closingWaitsForARunningScript() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        board.Open(fixture, QStringLiteral("short.bas"),
                   QStringLiteral("Sub Main\n    Wait 700\nEnd Sub\n"));
        QVERIFY(fixture.Run(CommandId::ScriptRun));
        QTRY_COMPARE(board.State(), RunState::Waiting);
        // The window stays while the script runs and closes once it has ended.
        QPointer<CMDITreeWnd> window = board.window;
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        // Quitting waits the same way; the desktop session is refused with the reason.
        QVERIFY(!fixture.Frame().close());
        {
            test::MessageBoxAnswer answer(QMessageBox::Ok);
            QVERIFY(!fixture.App().QueryEndSession());
            QVERIFY(answer.Answered());
            QCOMPARE(
                answer.Text(),
                QStringLiteral("Macro still active.\n\nEnd all macros before quitting Windows."));
        }
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull() || !window->isVisible(), 3000);
        QVERIFY(fixture.App().Documents().empty());
        QVERIFY(fixture.App().QueryEndSession());
    }

    void unsavedEditsAskBeforeClosing() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        ModuleEditor* editor =
            board.Open(fixture, QStringLiteral("edit.bas"), QStringLiteral("Sub Main\nEnd Sub\n"));
        QTest::keyClicks(editor, QStringLiteral("' changed"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(editor->isModified());
        auto* tabs = qobject_cast<QTabWidget*>(editor->parentWidget()->parentWidget());
        QVERIFY(tabs != nullptr);
        QCOMPARE(tabs->tabText(tabs->indexOf(editor)), QStringLiteral("edit.bas*"));
        {
            test::MessageBoxAnswer answer(QMessageBox::Cancel);
            QVERIFY(!board.window->close());
            QVERIFY(answer.Answered());
            QCOMPARE(answer.Text(), QStringLiteral("Save changes to edit.bas?"));
        }
        QVERIFY(board.window->isVisible());
        {
            test::MessageBoxAnswer answer(QMessageBox::Save);
            QVERIFY(board.window->close());
            QVERIFY(answer.Answered());
        }
        QFile saved(fixture.Files().Path(QStringLiteral("edit.bas")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("' changed\n"));
    }

    void savingAMacroRefusesAReadOnlyFileAndWritesThroughALink() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        const QString original = QStringLiteral("Sub Main\nEnd Sub\n");
        ModuleEditor* editor = board.Open(fixture, QStringLiteral("locked.bas"), original);
        QVERIFY(editor != nullptr);
        const QString path = fixture.Files().Path(QStringLiteral("locked.bas"));
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        QTest::keyClicks(editor, QStringLiteral("' changed"));
        QTest::keyClick(editor, Qt::Key_Return);
        fixture.Frame().Router().UpdateAll();
        QToolButton* save = fixture.Frame().ScriptToolBar().ButtonFor(CommandId::MacroSave);
        QVERIFY(save != nullptr && save->isEnabled());
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY2(fixture.App().OutputView().Lines().contains(
                     path + QStringLiteral(": read-only file; nothing was written")),
                 qPrintable(fixture.App().OutputView().Lines().join('|')));
        QVERIFY(editor->isModified());
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(kept.readAll()), original);
        QCOMPARE(test::ModeBits(path), readOnly);

        // A module opened through a link is saved into the link's target, which keeps its
        // permissions.
        const QString target = fixture.Files().Write(QStringLiteral("real.bas"), original);
        const QFile::Permissions shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(target, shared));
        const QString link = fixture.Files().Path(QStringLiteral("alias.bas"));
        QVERIFY(QFile::link(target, link));
        ModuleEditor* linked = board.pane->OpenModule(link);
        QVERIFY(linked != nullptr);
        linked->setFocus();
        QTest::keyClicks(linked, QStringLiteral("' linked"));
        QTest::keyClick(linked, Qt::Key_Return);
        fixture.Frame().Router().UpdateAll();
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(!linked->isModified());
        QVERIFY(QFileInfo(link).isSymLink());
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("' linked\n"));
        QCOMPARE(test::ModeBits(target), shared);
    }

    void constantsModuleOfTwoDevicesWithoutRegisters() {
        test::AppFixture fixture;
        const QString path = fixture.Files().Write(
            QStringLiteral("two.vek"), QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                                      "0: FIRST A2 D1 [0x10] << 1.1;\n"
                                                      "0: SECOND A2 D1 [0x20] << 1.1;\n"
                                                      "#EndRegisterList\n"));
        fixture.App().OpenDocumentFile(path);
        auto* window = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(window != nullptr);
        ModuleEditor* constants = window->ScriptPane()->EditorOf(QStringLiteral("*register.vkm"));
        QVERIFY(constants != nullptr);
        // Filled in as the event loop runs, once the editor shows.
        QTRY_VERIFY(!constants->IsFilling());
        QCOMPARE(constants->text(), QStringLiteral("'DO NOT EDIT THIS CODE!\r\n'Device : SECOND\r\n"
                                                   "\r\n'Byte Items\r\n'Bit Items\r\n"));
        QVERIFY(!constants->isModified());
        QVERIFY(constants->isReadOnly());
        constants->setFocus();
        QVERIFY(!fixture.Enabled(CommandId::ToggleBreak));
        QVERIFY(!fixture.Enabled(CommandId::EditPaste));
    }

    void scriptMacrosLoadAndRunInThePane() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.Files().Write(QStringLiteral("lit.bas"),
                              QStringLiteral("Sub Main\n    WriteReg R2, 7\nEnd Sub\n"));
        const QString path =
            WriteMacroBoard(fixture, QStringLiteral("Light"), QStringLiteral("lit.bas"));
        fixture.App().OpenDocumentFile(path);
        auto* window = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(window != nullptr);
        CMacroView* pane = window->ScriptPane();
        // L: loaded into a tab of its own, before the constants module.
        ModuleEditor* editor = pane->EditorOf(fixture.Files().Path(QStringLiteral("lit.bas")));
        QVERIFY(editor != nullptr);
        QCOMPARE(pane->CurrentEditor(), editor);
        driver.Reset();
        QTest::mouseClick(window->MacroBar()->MacroButton(0), Qt::LeftButton);
        QTRY_COMPARE(pane->RunLoop().State(), RunState::Finished);
        QCOMPARE(driver.Writes(0x02), std::vector<uint32_t>{7});
    }

    void aScriptMacroFileTooLargeIsRefusedUnreadWhenThePaneOpens() {
        test::AppFixture fixture;
        test::TestDriver driver;
        // Sparse: no room on the disk, and more than a script may be.
        const QString huge = fixture.Files().Write(QStringLiteral("huge.bas"), QString());
        QVERIFY(QFile::resize(huge, static_cast<qint64>(kScriptFileLimit.bytes) + 1));
        const QString path =
            WriteMacroBoard(fixture, QStringLiteral("Huge"), QStringLiteral("huge.bas"));
        fixture.App().OpenDocumentFile(path);
        auto* window = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(window != nullptr);
        CMacroView* pane = window->ScriptPane();
        const QString reason = huge + QStringLiteral(": larger than 16 MiB, the most a Basic "
                                                     "script may have");
        const QStringList lines = fixture.App().OutputView().Lines();
        QVERIFY2(lines.contains(QStringLiteral("Script macro 'Huge' not loaded: ") + reason),
                 qPrintable(lines.join('|')));
        QVERIFY(pane->EditorOf(huge) == nullptr);
        const std::vector<std::string> modules = pane->Scripts().Engine().ModuleNames();
        QVERIFY(std::find(modules.begin(), modules.end(), huge.toStdString()) == modules.end());
        // Run from the macro bar, it is refused with the same reason and nothing runs.
        QTest::mouseClick(window->MacroBar()->MacroButton(0), Qt::LeftButton);
        QCOMPARE(fixture.App().OutputView().Lines().last(), reason);
        QVERIFY(!pane->RunLoop().IsRunning());
    }

    void editorColoursTheDialect() {
        ModuleEditor editor(QStringLiteral("m"), QString(), kMacroViewSettings);
        editor.setText(QStringLiteral("Dim s: s = \"it's\" & Hex(&HFF) ' ReadReg\n"
                                      "WriteReg R1, #2026-01-08#: Rem all\n"));
        editor.recolor();
        const auto styleAt = [&editor](int line, const char* text) {
            const int index = editor.text(line).indexOf(QLatin1String(text));
            return static_cast<int>(editor.SendScintilla(
                QsciScintillaBase::SCI_GETSTYLEAT, editor.positionFromLineIndex(line, index)));
        };
        QCOMPARE(styleAt(0, "Dim"), int(BasicLexer::Keyword));
        QCOMPARE(styleAt(0, "s ="), int(BasicLexer::Default));
        // A quote inside a string starts no comment.
        QCOMPARE(styleAt(0, "'s"), int(BasicLexer::String));
        QCOMPARE(styleAt(0, "Hex"), int(BasicLexer::Function));
        QCOMPARE(styleAt(0, "&HFF"), int(BasicLexer::Number));
        QCOMPARE(styleAt(0, "' Read"), int(BasicLexer::Comment));
        QCOMPARE(styleAt(1, "WriteReg"), int(BasicLexer::Extra));
        QCOMPARE(styleAt(1, "R1"), int(BasicLexer::Default));
        QCOMPARE(styleAt(1, "#2026"), int(BasicLexer::Number));
        QCOMPARE(styleAt(1, "Rem"), int(BasicLexer::Comment));
        // The register calls and the utility functions of the pane's settings, whatever their case.
        BasicLexer& lexer = *static_cast<BasicLexer*>(editor.lexer());
        for (const char* word : {"ReadReg", "WRITEREG", "WriteAll", "ReadAll", "WriteDefault",
                                 "DebugOut", "Inc", "Dec", "LeftShift", "RightShift", "Magic"})
            QCOMPARE(lexer.WordStyle(word), BasicLexer::Extra);
    }

    void findAndReplaceInTheModule() {
        test::AppFixture fixture;
        ScriptBoard board(fixture);
        ModuleEditor* editor = board.Open(
            fixture, QStringLiteral("find.bas"),
            QStringLiteral("Sub Main\n    WriteReg R1, 1\n    WriteReg R1, 2\nEnd Sub\n"));
        editor->setSelection(1, 13, 1, 15);
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        auto* dialog = editor->window()->findChild<QDialog*>();
        QTRY_VERIFY(dialog != nullptr && dialog->isVisible());
        const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 2);
        QCOMPARE(fields[0]->text(), QStringLiteral("R1"));
        fields[1]->setText(QStringLiteral("R3"));
        QPushButton* replaceAll = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Replace &All"))
                replaceAll = button;
        }
        QTest::mouseClick(replaceAll, Qt::LeftButton);
        QCOMPARE(editor->text(),
                 QStringLiteral("Sub Main\n    WriteReg R3, 1\n    WriteReg R3, 2\nEnd Sub\n"));
        // One undo takes the whole replacement back.
        editor->setFocus();
        QVERIFY(fixture.Run(CommandId::EditUndo));
        QVERIFY(editor->text().contains(QStringLiteral("R1, 2")));
        dialog->hide();
    }
};

} // namespace vek

QTEST_MAIN(vek::ScriptPaneTest)
#include "script_pane_test.moc"
