// vek32 as a whole: start-up, opening descriptions (compile and driver lines, questions,
// failures), the menu bars and command states of each kind of window, the macro bar and the
// Macros menu, the output and register list windows, and long work that keeps the window alive.
#include "tree_test_support.h"
#include "ui_test_support.h"

#include "document/vek_doc.h"
#include "model/item_list.h"
#include "model/var_item.h"
#include "ui/app/app_profile.h"
#include "ui/app/document_entry.h"
#include "ui/commands/command_router.h"
#include "ui/commands/command_table.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/macro_bar.h"
#include "ui/frame/menu_bars.h"
#include "ui/frame/progress_pane.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/frame/window_list.h"
#include "ui/host/event_pump.h"
#include "ui/host/qt_host.h"
#include "ui/script/macro_view.h"
#include "ui/tree/slider_bar.h"
#include "ui/views/mdi_out_wnd.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/source_view.h"
#include "ui/views/vek_list_view.h"
#include "ui/views/vek_out_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vek {

namespace {

QStringList MenuTitles(const QMenuBar& bar) {
    QStringList titles;
    for (const QAction* action : bar.actions())
        titles.append(action->text());
    return titles;
}

QString Demo() {
    return test::SourcePath(QStringLiteral("examples/demo.vek"));
}

// Eight register macros on the bar, each setting the variable V to its number.
QString MacroBoard(test::Workspace& files) {
    QString text = QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                  "0: CHIP A2 D1 [0x10] << 1.1;\n1: R0 [0x00] = 0 b;\n"
                                  "1: $ V = 0 B8;\n#EndRegisterList\n");
    for (int m = 1; m <= 8; ++m)
        text += QStringLiteral("#BeginMacro M%1 P\n[CHIP]\n   V = %1;\n#EndMacro\n").arg(m);
    return files.Write(QStringLiteral("macros.vek"), text);
}

// A board whose driver library is nowhere to be found.
QString MissingDriverBoard(test::Workspace& files) {
    return files.Write(
        QStringLiteral("missing.vek"),
        QStringLiteral("#BeginRegisterList \"nodriver.dll\"\n0: CHIP A2 D1 [0x10] << 1.1;\n"
                       "1: R0 [0x00] = 0 b;\n#EndRegisterList\n"));
}

// A FIFO in the test's folder, and a watch that tells whether anything opened it for reading
// while the watch ran: such an open waits for a writer, so the watch keeps writers coming
// (an open for writing without waiting succeeds only while a reader has it open), and a program
// that would have hung for ever goes on, and the test fails instead of hanging.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path) : path_(QFile::encodeName(path).toStdString()) {
        created_ = ::mkfifo(path_.c_str(), 0600) == 0;
        watch_ = std::thread([this] {
            while (!stop_) {
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    opened_ = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~FifoWatch() { Stop(); }
    bool Created() const { return created_; }
    // Whether something had the FIFO open for reading.
    bool Stop() {
        stop_ = true;
        if (watch_.joinable())
            watch_.join();
        return opened_;
    }

private:
    std::string path_;
    bool created_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread watch_;
};

std::uint32_t VariableValue(const CVekDoc& doc, const std::string& name) {
    for (CLineItem& item : *const_cast<CItemList*>(doc.GetItems())) {
        if (item.GetName() == name)
            return item.GetValue();
    }
    return 0xFFFFFFFF;
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsWithTheHiddenOutputWindowAndTheFullMenu() {
        test::AppFixture fixture;
        CFixedFrame& frame = fixture.Frame();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Tarvel"));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(frame.geometry().size(), QSize(screen.width() * 2 / 3, screen.height() * 2 / 3));
        QVERIFY(fixture.App().OutputWindow().isHidden());
        QCOMPARE(fixture.App().OutputWindow().windowTitle(), QStringLiteral("Output"));
        QCOMPARE(MenuTitles(*frame.menuBar()),
                 (QStringList{"&File", "&Edit", "&View", "&Project", "&Driver", "&Register",
                              "&Macros", "&Options", "&Window", "&Help"}));
        QCOMPARE(frame.StatusBar().PaneText(0), QStringLiteral("Ready"));
        QCOMPARE(frame.StatusBar().GetLedState(), LedState::SteadyDark);
        // With no window: Open, Exit, About, Output and the bar toggles only.
        QVERIFY(fixture.Enabled(CommandId::FileOpen));
        QVERIFY(!fixture.Enabled(CommandId::FileNew));
        QVERIFY(!fixture.Enabled(CommandId::FileClose));
        QVERIFY(!fixture.Enabled(CommandId::Simulation));
        QVERIFY(!fixture.Enabled(CommandId::ResetDriver));
        QVERIFY(fixture.Checked(CommandId::ViewToolbar));
        QVERIFY(!fixture.Checked(CommandId::ViewBasicbar));
        // The recent-file part of the File menu says there is none.
        QStringList fileEntries;
        for (const QAction* action : frame.Menu(MenuId::TreeFile)->actions())
            fileEntries.append(action->text());
        QVERIFY(fileEntries.contains(QStringLiteral("Recent File")));
    }

    void driversComeFromTheNamedFoldersAndTheProgramsNeverFromBesideTheDescription() {
        test::Workspace files;
        const QString board = files.Board(QStringLiteral("board.vek"));
        // A library lying beside the description, under every name the driver's name may take.
        qputenv("VEK_PLANTED_MARK", QFile::encodeName(files.Path(QStringLiteral("planted-ran"))));
        for (const QString& name : {QStringLiteral("testdrv.dll"), QStringLiteral("testdrv.so"),
                                    QStringLiteral("libtestdrv.so")})
            QVERIFY(QFile::copy(QStringLiteral(VEK_BIN_DIR "/libplanted.so"), files.Path(name)));
        {
            test::AppFixture fixture(board);
            const QStringList lines = fixture.App().OutputView().Lines();
            QVERIFY2(lines.contains(QStringLiteral("testdrv.dll")), qPrintable(lines.join('\n')));
            QVERIFY(!lines.join('\n').contains(QStringLiteral("loaded from")));
        }
        QVERIFY(!QFile::exists(files.Path(QStringLiteral("planted-ran"))));
        qunsetenv("VEK_PLANTED_MARK");

        // A copy of the test driver in a folder of the command line, then in one of the profile.
        QVERIFY(QDir().mkpath(files.Path(QStringLiteral("named"))));
        const QString copy = files.Path(QStringLiteral("named/libtestdrv.so"));
        QVERIFY(QFile::copy(QStringLiteral(VEK_BIN_DIR "/libtestdrv.so"), copy));
        const QString loaded = QStringLiteral("testdrv.dll loaded from ") + copy;
        {
            test::AppFixture fixture(board, {files.Path(QStringLiteral("named"))});
            QVERIFY(fixture.App().OutputView().Lines().contains(loaded));
        }
        {
            test::AppFixture fixture(board, {},
                                     QStringLiteral("[Drivers]\nPath=/nonexistent:") +
                                         files.Path(QStringLiteral("named")) + '\n');
            QVERIFY(fixture.App().OutputView().Lines().contains(loaded));
        }
    }

    void aVendorsRegisterMapOpensThroughFileOpenAsItsImportedTree() {
        // No debug server listens: the driver is refused and the user takes simulation.
        qputenv("VEK_GDB_REMOTE", "127.0.0.1:1");
        test::AppFixture fixture;
        test::EveryMessageBox simulate(QMessageBox::Ok);
        const QString map = test::SourcePath(QStringLiteral("tests/data/import/rules.svd"));
        fixture.Dialogs().answers.push_back(map);
        QVERIFY(fixture.Run(CommandId::FileOpen));
        QTRY_VERIFY(fixture.Frame().ActiveChild() != nullptr);
        QCOMPARE(fixture.Frame().ActiveChild()->windowTitle(), QStringLiteral("rules.svd"));
        const QStringList lines = fixture.App().OutputView().Lines();
        // The one error is the refused driver: the imported description compiles clean.
        QVERIFY2(lines.contains(QStringLiteral("rules.svd - 1 error(s)")),
                 qPrintable(lines.join('\n')));
        QVERIFY(lines.contains(map + QStringLiteral(": warning: 1 registers moved to an alternate "
                                                    "device to share their address: DLL")));
        const test::TreeWindow tree(fixture);
        QVERIFY(tree.IsValid());
        for (const char* row : {"INHERIT", "UART ALT1", "DLL", "DMA1 CFG MODE"})
            QVERIFY2(tree.Row(QString::fromLatin1(row)) >= 0, row);
        qunsetenv("VEK_GDB_REMOTE");
    }

    void openingTheDemoShowsItsCompileAndDriverLines() {
        test::AppFixture fixture(Demo());
        QVERIFY(!fixture.App().OutputWindow().isHidden());
        QCOMPARE(
            fixture.App().OutputView().Lines(),
            (QStringList{QStringLiteral("Parsing..."), Demo(), QStringLiteral("Linking..."),
                         QStringLiteral("Loading driver(s)..."), QStringLiteral("pardrv32.dll"),
                         QStringLiteral("demo.vek - 0 error(s)")}));
        CChildFrame* tree = fixture.Frame().ActiveChild();
        QVERIFY(tree != nullptr);
        QCOMPARE(tree->Kind(), WindowKind::Tree);
        QCOMPARE(tree->windowTitle(), QStringLiteral("demo.vek"));
        QVERIFY(!fixture.Frame().ScriptToolBar().isHidden());
        QCOMPARE(fixture.Frame().Menu(MenuId::Window)->actions().last()->text(),
                 QStringLiteral("&1 demo.vek"));
        QCOMPARE(fixture.App().Profile().RecentFiles().Files(), QStringList{Demo()});
        // The progress bar is gone and pane 0 reports the tree's caret row, the first device.
        QCOMPARE(fixture.Frame().StatusBar().Progress().Position(), 0);
        fixture.Frame().RequestIdleUpdate();
        QTRY_COMPARE(fixture.Frame().StatusBar().PaneText(0), QStringLiteral("EEPROM"));
        // Opening it again activates the open one.
        fixture.App().OpenDocumentFile(Demo());
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
    }

    void commandStatesFollowTheKindOfTheActiveWindow() {
        test::AppFixture fixture(Demo());
        CFixedFrame& frame = fixture.Frame();
        // Register tree window: menu 300.
        QCOMPARE(frame.Menus().Current(), MenuBarId::Tree);
        for (CommandId id :
             {CommandId::RegisterList, CommandId::FileSaveAs, CommandId::FileClose,
              CommandId::Simulation, CommandId::ResetDriver, CommandId::ReadMacro,
              CommandId::ViewMacrobar, CommandId::ViewSliderbar, CommandId::WindowCascade,
              CommandId::RedrawDesktop, CommandId::ScriptRun, CommandId::WindowWatch})
            QVERIFY2(fixture.Enabled(id), FindCommand(id).menuText);
        for (CommandId id :
             {CommandId::FileNew, CommandId::EditDelete, CommandId::EditTree,
              CommandId::EditRegister, CommandId::EditorName, CommandId::StopParse,
              CommandId::WindowCloseAll, CommandId::OpenProjectFile, CommandId::FileSave,
              CommandId::AddSingleMacro, CommandId::InsertKey, CommandId::RegisterTree,
              CommandId::ScriptEnd, CommandId::DialogEditor})
            QVERIFY2(!fixture.Enabled(id), FindCommand(id).menuText);
        QVERIFY(fixture.Checked(CommandId::ReadMacro));
        QVERIFY(fixture.Checked(CommandId::WriteMacro));
        QVERIFY(!fixture.Checked(CommandId::Simulation));
        QVERIFY(fixture.Checked(CommandId::ViewMacrobar)); // the demo's macros are on the bar
        QVERIFY(fixture.Checked(CommandId::ViewBasicbar));
        QCOMPARE(frame.Router().Action(CommandId::FileSaveAs)->text(),
                 QStringLiteral("Save &Register..."));

        // Output window: menu 302.
        QVERIFY(fixture.Run(CommandId::WindowOutput));
        QCOMPARE(frame.Menus().Current(), MenuBarId::Output);
        QCOMPARE(MenuTitles(*frame.menuBar()),
                 (QStringList{"&File", "&Edit", "&View", "&Project", "&Window", "&Help"}));
        QCOMPARE(frame.Router().Action(CommandId::FileSaveAs)->text(),
                 QStringLiteral("Save &As..."));
        for (CommandId id : {CommandId::FileSaveAs, CommandId::FileClose, CommandId::FileOpen})
            QVERIFY2(fixture.Enabled(id), FindCommand(id).menuText);
        for (CommandId id : {CommandId::RegisterList, CommandId::RegisterTree, CommandId::FileSave,
                             CommandId::FilePrint, CommandId::EditCopy, CommandId::Simulation})
            QVERIFY2(!fixture.Enabled(id), FindCommand(id).menuText);
        // The application resets the drivers of every document when no document is active.
        QVERIFY(fixture.Enabled(CommandId::ResetDriver));

        // Register list window: menu 304.
        fixture.App().ActivateViewOfClass(*fixture.App().Documents().front(), WindowKind::List);
        QCOMPARE(frame.Menus().Current(), MenuBarId::List);
        QVERIFY(fixture.Enabled(CommandId::RegisterTree));
        QVERIFY(!fixture.Enabled(CommandId::RegisterList));
        QVERIFY(!fixture.Enabled(CommandId::WriteDefault)); // only the tree view handles it
        QVERIFY(fixture.Checked(CommandId::SetHex));
        QVERIFY(fixture.Enabled(CommandId::SetBin));
        QVERIFY(fixture.Run(CommandId::SetBin));
        QVERIFY(fixture.Checked(CommandId::SetBin));
        QVERIFY(!fixture.Checked(CommandId::SetHex));
        QVERIFY(fixture.Enabled(CommandId::Simulation));
        QCOMPARE(frame.Router().Action(CommandId::FileSaveAs)->text(),
                 QStringLiteral("Save &As..."));
    }

    void macrosMenuListsTheTreeWindowsMacrosOnly() {
        test::AppFixture fixture(Demo());
        QMenu* macros = fixture.Frame().Menu(MenuId::Macros);
        const auto shownEntries = [&] {
            // The menu is filled as it is about to show.
            Q_EMIT macros->aboutToShow();
            QStringList texts;
            for (const QAction* action : macros->actions())
                texts.append(action->text());
            return texts;
        };
        QCOMPARE(shownEntries(),
                 (QStringList{"InitBoard", "LedsOn", "Init", "PollSensor", "DumpRegisters"}));
        QCOMPARE(macros->actions().at(1)->data().toInt(), 32974);
        fixture.App().ActivateViewOfClass(*fixture.App().Documents().front(), WindowKind::List);
        QCOMPARE(shownEntries(), QStringList());
        fixture.App().ShowOutput();
        QCOMPARE(shownEntries(), QStringList());
    }

    void macroBarScrollsAndRunsItsMacros() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(MacroBoard(fixture.Files()));
        CMacroBar* bar = fixture.Frame().ActiveChild()->MacroBar();
        QCOMPARE(bar->Count(), 8);
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->MacroButton(0)->text(), QStringLiteral("M1"));
        QVERIFY(!bar->ScrollButton(-1)->isEnabled());
        QVERIFY(bar->ScrollButton(6)->isEnabled());
        QTest::mouseClick(bar->ScrollButton(6), Qt::LeftButton);
        QCOMPARE(bar->Offset(), 2); // clamped to count - 6, not 6
        QCOMPARE(bar->MacroButton(0)->text(), QStringLiteral("M3"));
        QCOMPARE(bar->MacroButton(5)->text(), QStringLiteral("M8"));
        QVERIFY(!bar->ScrollButton(1)->isEnabled());
        QVERIFY(bar->ScrollButton(-6)->isEnabled());
        QTest::mouseClick(bar->ScrollButton(-1), Qt::LeftButton);
        QCOMPARE(bar->Offset(), 1);
        QTest::mouseClick(bar->ScrollButton(-6), Qt::LeftButton);
        QCOMPARE(bar->Offset(), 0);

        const CVekDoc& doc = fixture.App().Documents().front()->Document();
        QTest::mouseClick(bar->MacroButton(3), Qt::LeftButton);
        QCOMPARE(VariableValue(doc, "V"), 4u);
        // The Macros menu runs macro i of the bar.
        QMenu* macros = fixture.Frame().Menu(MenuId::Macros);
        fixture.Frame().FillMacrosMenu();
        QCOMPARE(macros->actions().size(), 8);
        macros->actions().at(7)->trigger();
        QCOMPARE(VariableValue(doc, "V"), 8u);

        QVERIFY(fixture.Run(CommandId::ViewMacrobar));
        QVERIFY(bar->isHidden());
        QVERIFY(!fixture.Checked(CommandId::ViewMacrobar));
    }

    void treeWindowGivesItsPanesTheirCommands() {
        test::AppFixture fixture(Demo());
        auto* tree = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(tree != nullptr);
        QWidget* treeView = tree->Splitter().widget(0);
        auto* scriptPane = tree->ScriptPane();
        QVERIFY(scriptPane != nullptr && tree->Splitter().widget(1) == scriptPane);
        treeView->setFocus();
        QCOMPARE(tree->ActiveView(), dynamic_cast<CommandTarget*>(treeView));
        QTRY_VERIFY(treeView->isAncestorOf(tree->focusWidget()));
        // F6 moves to the next pane, whose view then gets the commands. (The states of the
        // commands are brought up to date once the focus change has been handled.)
        QCoreApplication::processEvents();
        QTest::keyClick(treeView, Qt::Key_F6);
        QTRY_VERIFY(scriptPane->isAncestorOf(tree->focusWidget()));
        QCOMPARE(tree->ActiveView(), scriptPane);
        QCoreApplication::processEvents();
        QTest::keyClick(tree->focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QTRY_VERIFY(treeView->isAncestorOf(tree->focusWidget()));

        // The caption grows a suffix; the Window menu keeps the document's title.
        tree->SetCaptionSuffix(QStringLiteral("Module1"));
        QCOMPARE(tree->windowTitle(), QStringLiteral("demo.vek  :  Module1"));
        fixture.App().ShowOutput();
        fixture.App().ActivateViewOfClass(*fixture.App().Documents().front(), WindowKind::Tree);
        QVERIFY(fixture.Frame().Menu(MenuId::Window)->actions().last()->isChecked());

        // The demo offers items on the slider bar, which shows them from the start.
        QVERIFY(!tree->SliderBar().isHidden());
        QVERIFY(fixture.Checked(CommandId::ViewSliderbar));
        QVERIFY(fixture.Run(CommandId::ViewSliderbar));
        QVERIFY(tree->SliderBar().isHidden());
    }

    void scriptMacrosRunFromTheBar() {
        test::AppFixture fixture(Demo());
        CMacroBar* bar = fixture.Frame().ActiveChild()->MacroBar();
        QCOMPARE(bar->MacroButton(4)->text(), QStringLiteral("DumpRegisters"));
        QTest::mouseClick(bar->MacroButton(4), Qt::LeftButton);
        // It runs in the window's script pane; its Print lines go to the output window.
        QTRY_VERIFY2(fixture.App().OutputView().Lines().contains(QStringLiteral("TEMP = &H1980")),
                     qPrintable(fixture.App().OutputView().Lines().join('|')));
    }

    void fewMacrosHideTheSpareButtons() {
        test::AppFixture fixture(Demo());
        CMacroBar* bar = fixture.Frame().ActiveChild()->MacroBar();
        QCOMPARE(bar->Count(), 5);
        QVERIFY(bar->MacroButton(5)->isHidden());
        QVERIFY(!bar->MacroButton(4)->isHidden());
        QVERIFY(!bar->ScrollButton(6)->isEnabled());
    }

    void aClosedOutputWindowComesBackWhereItWasOnAnError() {
        test::AppFixture fixture;
        fixture.App().ShowOutput();
        CMDIOutWnd& output = fixture.App().OutputWindow();
        output.setGeometry(QRect(40, 30, 300, 120));
        QVERIFY(fixture.Run(CommandId::FileClose));
        QVERIFY(output.isHidden());
        fixture.App().GetHost().Message("driver error D05: cannot write to address 0x10", false);
        QVERIFY(output.isHidden()); // a line without the show flag only collects
        fixture.App().GetHost().Message("driver error D06: cannot read from address 0x11", true);
        QVERIFY(!output.isHidden());
        QCOMPARE(output.geometry(), QRect(40, 30, 300, 120));
        QCOMPARE(fixture.Frame().ActiveChild(), &output);
        QCOMPARE(fixture.App().OutputView().Lines().size(), 2);
    }

    void registerListShowsOneLinePerShadowRegister() {
        test::AppFixture fixture(Demo());
        QVERIFY(fixture.Run(CommandId::RegisterList));
        auto* list = qobject_cast<CMDIOutWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(list != nullptr);
        QCOMPARE(list->Kind(), WindowKind::List);
        const QString text = list->View().toPlainText();
        QCOMPARE(text.split(QLatin1Char('\n')).size(), 17);
        QVERIFY(text.startsWith(QStringLiteral("0xa000\n0xa001\n")));
        // Register Tree goes back to the tree window; Register List then finds the list again.
        QVERIFY(fixture.Run(CommandId::RegisterTree));
        QCOMPARE(fixture.Frame().ActiveChild()->Kind(), WindowKind::Tree);
        QVERIFY(fixture.Run(CommandId::RegisterList));
        QCOMPARE(fixture.Frame().ActiveChild(), list);
        // Closing the document closes both its windows.
        QVERIFY(fixture.Run(CommandId::FileClose));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(fixture.App().Documents().empty());
        QVERIFY(fixture.Frame().Windows().Names().isEmpty());
    }

    void aDocumentWithoutDriversListsNothing() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(fixture.Files().Write(
            QStringLiteral("plain.vek"),
            QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n#EndRegisterList\n")));
        QVERIFY(fixture.Run(CommandId::RegisterList));
        auto* list = qobject_cast<CMDIOutWnd*>(fixture.Frame().ActiveChild());
        QCOMPARE(list->View().toPlainText(), QString());
    }

    void aMissingDriverAsksToSimulate() {
        test::AppFixture fixture;
        const QString path = MissingDriverBoard(fixture.Files());
        test::MessageBoxAnswer answer(QMessageBox::Ok);
        fixture.App().OpenDocumentFile(path);
        QVERIFY(answer.Answered());
        QCOMPARE(answer.Title(), QStringLiteral("VEK"));
        QVERIFY(answer.Text().startsWith(QStringLiteral("driver error D00: Not valid driver.")));
        QCOMPARE(fixture.App().OutputView().Lines().last(),
                 QStringLiteral("missing.vek - 1 error(s)"));
        QVERIFY(fixture.Checked(CommandId::Simulation));
        QCOMPARE(fixture.Frame().StatusBar().GetLedState(), LedState::BlinkRed);
        // Leaving the window puts the LED back to dark green; coming back makes it blink.
        fixture.App().ShowOutput();
        QCOMPARE(fixture.Frame().StatusBar().GetLedState(), LedState::SteadyDark);
        fixture.App().ActivateViewOfClass(*fixture.App().Documents().front(), WindowKind::Tree);
        QCOMPARE(fixture.Frame().StatusBar().GetLedState(), LedState::BlinkRed);
        QVERIFY(fixture.Run(CommandId::Simulation));
        QCOMPARE(fixture.Frame().StatusBar().GetLedState(), LedState::SteadyDark);
        QVERIFY(!fixture.Enabled(CommandId::ResetDriver)); // nothing was opened
    }

    void decliningSimulationLeavesTheWindowUncompiled() {
        test::AppFixture fixture;
        const QString path = MissingDriverBoard(fixture.Files());
        test::MessageBoxAnswer answer(QMessageBox::Cancel);
        fixture.App().OpenDocumentFile(path);
        QVERIFY(answer.Answered());
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
        QVERIFY(!fixture.App().Documents().front()->Document().IsCompiled());
        QVERIFY(!fixture.Enabled(CommandId::ReadMacro));
        QCOMPARE(fixture.App().OutputView().Lines().last(),
                 QStringLiteral("missing.vek - 1 error(s)"));
    }

    void aFileThatCannotBeReadOpensNothing() {
        test::AppFixture fixture;
        test::MessageBoxAnswer answer(QMessageBox::Ok);
        fixture.App().OpenDocumentFile(fixture.Files().Path(QStringLiteral("absent.vek")));
        QVERIFY(answer.Answered());
        QVERIFY(answer.Text().endsWith(QStringLiteral("No such file or directory")));
        QVERIFY(fixture.App().Documents().empty());
        QVERIFY(fixture.App().Profile().RecentFiles().Files().isEmpty());
    }

    void whatIsNotARegularFileIsRefusedWithoutOpeningIt() {
        test::Workspace files;
        const QString fifo = files.Path(QStringLiteral("pipe.vek"));
        FifoWatch watch(fifo);
        QVERIFY(watch.Created());
        const QString refusal = fifo + QStringLiteral(": not a regular file");
        {
            // Given on the command line: the window comes up and says why.
            test::MessageBoxAnswer answer(QMessageBox::Ok);
            test::AppFixture fixture(fifo);
            QVERIFY(answer.Answered());
            QCOMPARE(answer.Text(), refusal);
            QVERIFY(fixture.Frame().isVisible());
            QVERIFY(fixture.App().Documents().empty());
        }
        test::AppFixture fixture;
        const auto refused = [&](const std::function<void()>& open, const QString& text) {
            test::MessageBoxAnswer answer(QMessageBox::Ok);
            open();
            QVERIFY(answer.Answered());
            QCOMPARE(answer.Text(), text);
            QVERIFY(fixture.App().Documents().empty());
        };
        // Named by a register-values file; a FIFO with the values ending; a recent file; a drop.
        const QString values =
            fixture.Files().Write(QStringLiteral("pipe.vkg"), QStringLiteral("[HEADER]\nVekFile=") +
                                                                  fifo + QStringLiteral("\n"));
        refused([&] { fixture.App().OpenDocumentFile(values); }, refusal);
        const QString fifoValues = fixture.Files().Path(QStringLiteral("values.vkg"));
        FifoWatch valuesWatch(fifoValues);
        QVERIFY(valuesWatch.Created());
        refused([&] { fixture.App().OpenDocumentFile(fifoValues); },
                fifoValues + QStringLiteral(": not a regular file"));
        fixture.App().Profile().RecentFiles().Add(fifo);
        refused([&] { Q_EMIT fixture.Frame().Menus().RecentFileChosen(0); }, refusal);
        QVERIFY(fixture.App().Profile().RecentFiles().Files().isEmpty());
        refused(
            [&] {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(fifo)});
                QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
                QCoreApplication::sendEvent(&fixture.Frame(), &enter);
                QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
                QCoreApplication::sendEvent(&fixture.Frame(), &drop);
            },
            refusal);
        QVERIFY(!valuesWatch.Stop());
        QVERIFY(!watch.Stop());
    }

    void aValuesFileMustNameADescription() {
        test::AppFixture fixture;
        const auto refused = [&](const QString& path, const QString& why) {
            test::MessageBoxAnswer answer(QMessageBox::Ok);
            fixture.App().OpenDocumentFile(path);
            QVERIFY(answer.Answered());
            QCOMPARE(answer.Text(), path + QStringLiteral(": ") + why);
            QVERIFY(fixture.App().Documents().empty());
        };
        // A file that names itself, and two that name each other, were opened without end.
        const QString self = fixture.Files().Path(QStringLiteral("self.vkg"));
        fixture.Files().Write(QStringLiteral("self.vkg"),
                              QStringLiteral("[HEADER]\nVekFile=") + self + QStringLiteral("\n"));
        refused(self, QStringLiteral("names the register-values file ") + self +
                          QStringLiteral(" as its description; only a description is opened "
                                         "with values"));
        const QString first = fixture.Files().Path(QStringLiteral("first.vkg"));
        const QString second = fixture.Files().Path(QStringLiteral("second.VKG"));
        fixture.Files().Write(QStringLiteral("first.vkg"),
                              QStringLiteral("[HEADER]\nVekFile=") + second + QStringLiteral("\n"));
        fixture.Files().Write(QStringLiteral("second.VKG"),
                              QStringLiteral("[HEADER]\nVekFile=") + first + QStringLiteral("\n"));
        refused(first, QStringLiteral("names the register-values file ") + second +
                           QStringLiteral(" as its description; only a description is opened "
                                          "with values"));
        refused(fixture.Files().Write(QStringLiteral("none.vkg"), QStringLiteral("[HEADER]\n")),
                QStringLiteral("names no description"));
        // A values file that names its description opens it and loads the values.
        const QString board = fixture.Files().Board(QStringLiteral("board.vek"), 1);
        const QString values = fixture.Files().Write(
            QStringLiteral("board.vkg"), QStringLiteral("[HEADER]\nVekFile=") + board +
                                             QStringLiteral("\n[DRIVER]\nDRV1=testdrv.dll\n"));
        fixture.App().OpenDocumentFile(values);
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
    }

    void doubleClickOnACompileErrorShowsItsLine() {
        test::AppFixture fixture;
        const QString path = fixture.Files().Write(
            QStringLiteral("faulty.vek"),
            QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n0: CHIP A1;\n1: ONE [0x01] = 0;\n"
                           "3: THREE [0x03] = 0;\n#EndRegisterList\n"));
        fixture.App().OpenDocumentFile(path);
        CVekOutView& output = fixture.App().OutputView();
        const int line = static_cast<int>(output.Lines().indexOf(
            QStringLiteral("Line 4 : error B05: no matching hierarchy label is found")));
        QVERIFY(line > 0);
        QTextCursor cursor(output.document()->findBlockByNumber(line));
        QTest::mouseDClick(output.viewport(), Qt::LeftButton, {},
                           output.cursorRect(cursor).center() + QPoint(4, 0));
        auto* window = qobject_cast<CMDIOutWnd*>(fixture.Frame().ActiveChild());
        QVERIFY(window != nullptr);
        QCOMPARE(window->Kind(), WindowKind::Source);
        auto& source = static_cast<CSourceView&>(window->View());
        QCOMPARE(source.Path(), path);
        QCOMPARE(source.CaretLine(), 4);
        QCOMPARE(source.textCursor().block().text(), QStringLiteral("3: THREE [0x03] = 0;"));
        QVERIFY(source.isReadOnly());
        QCOMPARE(fixture.Frame().Menus().Current(), MenuBarId::Output);
        QVERIFY(fixture.Run(CommandId::FileClose));
    }

    void droppedFilesAreOpened() {
        test::AppFixture fixture;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(fixture.Files().Board(QStringLiteral("a.vek"), 1)),
                      QUrl::fromLocalFile(fixture.Files().Board(QStringLiteral("b.vek"), 1))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&fixture.Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&fixture.Frame(), &drop);
        QCOMPARE(fixture.App().Documents().size(), std::size_t{2});
        QCOMPARE(fixture.App().Profile().RecentFiles().Files().front(),
                 fixture.Files().Path(QStringLiteral("b.vek")));
    }

    void recentFilesKeepTheLastFour() {
        test::AppFixture fixture;
        for (int i = 1; i <= 5; ++i)
            fixture.App().OpenDocumentFile(
                fixture.Files().Board(QStringLiteral("r%1.vek").arg(i), 1));
        const QStringList& files = fixture.App().Profile().RecentFiles().Files();
        QCOMPARE(files.size(), 4);
        QCOMPARE(files.front(), fixture.Files().Path(QStringLiteral("r5.vek")));
        QCOMPARE(files.back(), fixture.Files().Path(QStringLiteral("r2.vek")));
        QStringList entries;
        for (const QAction* action : fixture.Frame().Menu(MenuId::TreeFile)->actions()) {
            if (action->text().startsWith(QLatin1Char('&')) && action->data().isValid())
                entries.append(action->text());
        }
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries.front(),
                 QStringLiteral("&1 ") + fixture.Files().Path(QStringLiteral("r5.vek")));
        // The list is in the profile at once, for the next start.
        AppProfile reread(fixture.ProfileFolder());
        QCOMPARE(reread.RecentFiles().Files(), files);
    }

    void aLargeCompileKeepsTheWindowAlive() {
        test::AppFixture fixture;
        QString text = QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                      "0: DEV A4 D1 [0x01] << 3.1;\n"
                                      "1: \"Block\" [0x00] << 2.1 b; 2:\n");
        for (int r = 0; r < 20000; ++r)
            text += QStringLiteral("%1 R%2 [0x%3] << 0.2 & 0xFF = 0x00;\n")
                        .arg(r == 0 ? QStringLiteral("  ") : QStringLiteral("2:"))
                        .arg(r)
                        .arg(r, 4, 16, QLatin1Char('0'));
        text += QStringLiteral("#EndRegisterList\n");
        const QString path = fixture.Files().Write(QStringLiteral("large.vek"), text);
        // Progress is seen moving from inside the compile: every step lets the window run, so
        // that this holds however soon the compile ends.
        fixture.App().Pump().SetInterval(0);
        QList<int> seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout,
                [&] { seen.append(fixture.Frame().StatusBar().Progress().Position()); });
        watch.start(0);
        const int pumpsBefore = fixture.App().Pump().PumpCount();
        fixture.App().OpenDocumentFile(path);
        watch.stop();
        QVERIFY(fixture.App().Pump().PumpCount() > pumpsBefore);
        QVERIFY(std::any_of(seen.begin(), seen.end(), [](int p) { return p > 0; }));
        QCOMPARE(fixture.App().OutputView().Lines().last(),
                 QStringLiteral("large.vek - 0 error(s)"));
        QCOMPARE(fixture.Frame().StatusBar().Progress().Position(), 0);
    }

    void requestsDuringLongWorkWaitUntilItEnds() {
        test::AppFixture fixture;
        const QString board = fixture.Files().Board(QStringLiteral("later.vek"), 1);
        bool closedInside = true;
        fixture.App().RunBusy([&] {
            QVERIFY(!fixture.Run(CommandId::WindowOutput)); // commands wait
            fixture.App().OpenDocumentFile(board);
            QVERIFY(fixture.App().Documents().empty());
            closedInside = fixture.Frame().close();
        });
        QVERIFY(!closedInside);
        // Afterwards the file is opened, then the frame closes as asked.
        QTRY_VERIFY(!fixture.Frame().isVisible());
        QCOMPARE(fixture.App().Profile().RecentFiles().Files(), QStringList{board});
    }
};

} // namespace vek

QTEST_MAIN(vek::AppTest)
#include "app_test.moc"
