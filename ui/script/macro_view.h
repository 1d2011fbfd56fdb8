#pragma once

#include "model/basic_macro.h"
#include "scripting/script_host.h"
#include "ui/commands/command_target.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <set>
#include <vector>

class QAction;
class QSplitter;
class QTabWidget;

namespace vek {

class CVekDoc;
class CallStackView;
class FileDialogs;
class Host;
class ModuleEditor;
class ScriptFindDialog;
class ScriptRunLoop;
class WatchList;

// The script pane of a register tree window: the Basic modules of the description in tabs (the
// script macros' files, files the user opens or starts, and the read-only constants module),
// the watch list and the call stack beside them, and the script engine behind them, set up for
// the window's document. Its scripts run in slices from the event loop; it answers the script
// commands and, while an editor has the focus, the edit commands.
class CMacroView : public QWidget, public CommandTarget, public ScriptRunner {
    Q_OBJECT

public:
    struct Services {
        Host& host;
        // The program's action of a command, for the editor's context menu.
        std::function<QAction*(CommandId)> action;
        // Asks the frame to bring the commands' states up to date.
        std::function<void()> commandsChanged;
        FileDialogs& dialogs;
    };

    CMacroView(CVekDoc& document, Services services, QWidget* parent = nullptr);
    ~CMacroView() override;
    // The window goes: the script macros stop running here. Its document may be gone before
    // the pane is deleted.
    void DetachFromDocument();

    // The set-up: the engine configured, the extension given the document, the constants
    // module built, the script macros given this view and their files loaded, the constants
    // module shown, the utility functions handed over.
    void OnInitialUpdate();

    // Opens a file as a module in a tab of its own (or shows its tab); null when it cannot be
    // read, with the reason in the output window.
    ModuleEditor* OpenModule(const QString& path);
    ModuleEditor* CurrentEditor() const;
    // Every module's editor, in tab order.
    std::vector<ModuleEditor*> Editors() const;
    ModuleEditor* EditorOf(const QString& module) const;
    ScriptHost& Scripts() { return *scripts_; }
    ScriptRunLoop& RunLoop() const { return *loop_; }
    WatchList& Watches() const { return *watches_; }
    CallStackView& CallStack() const { return *stack_; }

    // A script macro's Run: its file runs here.
    void RunFile(const std::string& quotedPath) override;
    // Runs Main of the current module, or the procedure the caret stands in.
    bool RunCurrent(basic::StepMode firstStep = basic::StepMode::None);
    // Close: busy while a script runs; refuse when the user keeps unsaved changes.
    CloseDecision QueryClose();
    bool IsBusy() const;
    // Commands that work with the focus anywhere in the window (the toolbar's run buttons).
    static bool ServesWholeWindow(CommandId id);

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

private:
    ModuleEditor* AddEditor(const QString& module, const QString& path, const QString& text,
                            bool readOnly);
    void SyncModules();
    bool StartModule(const QString& module, basic::StepMode firstStep);
    void StepOrRun(basic::StepMode mode);
    void RunToCursor();
    void OnPaused();
    void OnEnded(bool finished);
    void ShowFrame(std::size_t frame, const QString& module, int line);
    void FocusEditor(ModuleEditor& editor);
    void SetEditorsReadOnly(bool running);
    void QuickWatch();
    void AddWatch();
    void Browse();
    void ChooseFont();
    void NewModule();
    void OpenModuleFile();
    bool SaveEditor(ModuleEditor& editor);
    void PrintModule();
    ScriptFindDialog& FindDialog();
    void ShowContextMenu(ModuleEditor& editor, const QPoint& at);
    std::optional<CommandState> EditState(CommandId id) const;

    CVekDoc* document_;
    Services services_;
    std::unique_ptr<ScriptHost> scripts_;
    ScriptRunLoop* loop_;
    QSplitter* splitter_;
    QTabWidget* modules_;
    QTabWidget* debug_;
    WatchList* watches_;
    CallStackView* stack_;
    ScriptFindDialog* find_ = nullptr;
    std::set<ModuleEditor*> unsynced_; // editors whose text the engine does not have yet
    int newModules_ = 0;
};

} // namespace vek
