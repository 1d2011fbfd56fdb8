// The script pane's commands: the script toolbar, the debugger and, while an editor has the
// focus, the edit commands. Each command's state comes from the engine and the editor.
#include "ui/script/macro_view.h"

#include "platform/file_replacement.h"
#include "platform/host.h"
#include "scripting/basic/engine.h"
#include "scripting/script_editor_settings.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/host/text_conversion.h"
#include "ui/script/debug_panels.h"
#include "ui/script/module_editor.h"
#include "ui/script/script_dialogs.h"
#include "ui/script/script_find_dialog.h"
#include "ui/script/script_run_loop.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QTabWidget>

namespace vek {

bool CMacroView::ServesWholeWindow(CommandId id) {
    switch (id) {
    case CommandId::ScriptRun:
    case CommandId::ScriptPause:
    case CommandId::ScriptEnd:
    case CommandId::StepInto:
    case CommandId::StepOver:
    case CommandId::StepOut:
    case CommandId::MacroNew:
    case CommandId::MacroOpen:
    case CommandId::MacroSave:
    case CommandId::ScriptBrowse:
    case CommandId::DialogEditor:
    case CommandId::EditUserDialog:
    case CommandId::ScriptPrint:
    case CommandId::AddWatch:
    case CommandId::ScriptFont:
        return true;
    default:
        return false;
    }
}

std::optional<CommandState> CMacroView::EditState(CommandId id) const {
    const ModuleEditor* editor = CurrentEditor();
    const bool writable = editor != nullptr && !editor->isReadOnly();
    const bool selection = editor != nullptr && editor->hasSelectedText();
    switch (id) {
    case CommandId::EditUndo:
        return CommandState::Enabled(writable && editor->isUndoAvailable());
    case CommandId::EditRedo:
        return CommandState::Enabled(writable && editor->isRedoAvailable());
    case CommandId::EditCut:
    case CommandId::EditErase:
        return CommandState::Enabled(writable && selection);
    case CommandId::EditCopy:
        return CommandState::Enabled(selection);
    case CommandId::EditPaste:
        return CommandState::Enabled(writable && !QApplication::clipboard()->text().isEmpty());
    case CommandId::EditSelectAll:
        return CommandState::Enabled(editor != nullptr && editor->length() > 0);
    default:
        return std::nullopt;
    }
}

std::optional<CommandState> CMacroView::QueryCommand(CommandId id) {
    if (const std::optional<CommandState> edit = EditState(id))
        return edit;
    const basic::RunState state = loop_->State();
    const bool running = loop_->IsRunning();
    const bool paused = state == basic::RunState::Paused;
    const ModuleEditor* editor = CurrentEditor();
    switch (id) {
    case CommandId::ScriptRun:
        return CommandState::Enabled(paused || (!running && editor != nullptr));
    case CommandId::ScriptPause:
        return CommandState::Enabled(state == basic::RunState::Running ||
                                     state == basic::RunState::Waiting);
    case CommandId::ScriptEnd:
        return CommandState::Enabled(running);
    case CommandId::StepInto:
    case CommandId::StepOver:
        return CommandState::Enabled(paused || (!running && editor != nullptr));
    case CommandId::StepToCursor:
        return CommandState::Enabled(editor != nullptr && (paused || !running));
    case CommandId::StepOut:
        return CommandState::Enabled(paused);
    case CommandId::ToggleBreak:
        return CommandState::Enabled(editor != nullptr && !editor->IsGenerated());
    case CommandId::QuickWatch:
        return CommandState::Enabled(paused && editor != nullptr && !editor->WatchText().isEmpty());
    case CommandId::AddWatch:
    case CommandId::ScriptFont:
        return CommandState::Enabled();
    case CommandId::ScriptFind:
        return CommandState::Enabled(editor != nullptr);
    case CommandId::ScriptReplace:
        return CommandState::Enabled(editor != nullptr && !editor->isReadOnly());
    case CommandId::ScriptRepeat:
        return CommandState::Enabled(editor != nullptr && find_ != nullptr && find_->HasSearch());
    case CommandId::ScriptBrowse:
    case CommandId::MacroNew:
    case CommandId::MacroOpen:
        return CommandState::Enabled(!running);
    case CommandId::MacroSave:
    case CommandId::ScriptPrint:
        return CommandState::Enabled(editor != nullptr && !editor->IsGenerated());
    case CommandId::DialogEditor:
    case CommandId::EditUserDialog:
        return CommandState::Disabled();
    default:
        return std::nullopt;
    }
}

void CMacroView::RunCommand(CommandId id) {
    ModuleEditor* editor = CurrentEditor();
    switch (id) {
    case CommandId::EditUndo:
        editor->undo();
        break;
    case CommandId::EditRedo:
        editor->redo();
        break;
    case CommandId::EditCut:
        editor->cut();
        break;
    case CommandId::EditCopy:
        editor->copy();
        break;
    case CommandId::EditPaste:
        editor->paste();
        break;
    case CommandId::EditErase:
        editor->removeSelectedText();
        break;
    case CommandId::EditSelectAll:
        editor->selectAll();
        break;
    case CommandId::ScriptRun:
        StepOrRun(basic::StepMode::None);
        break;
    case CommandId::ScriptPause:
        loop_->Pause();
        break;
    case CommandId::ScriptEnd:
        loop_->End();
        break;
    case CommandId::StepInto:
        StepOrRun(basic::StepMode::Into);
        break;
    case CommandId::StepOver:
        StepOrRun(basic::StepMode::Over);
        break;
    case CommandId::StepOut:
        loop_->Resume(basic::StepMode::Out);
        break;
    case CommandId::StepToCursor:
        RunToCursor();
        break;
    case CommandId::ToggleBreak: {
        const int line = editor->CaretLine();
        const bool on = !editor->HasBreakpoint(line);
        editor->SetBreakpoint(line, on);
        scripts_->Engine().SetBreakpoint(ToStdString(editor->Module()), line, on);
        break;
    }
    case CommandId::QuickWatch:
        QuickWatch();
        break;
    case CommandId::AddWatch:
        AddWatch();
        break;
    case CommandId::ScriptBrowse:
        Browse();
        break;
    case CommandId::ScriptFont:
        ChooseFont();
        break;
    case CommandId::ScriptFind:
        FindDialog().ShowFind(editor->WatchText());
        break;
    case CommandId::ScriptReplace:
        FindDialog().ShowReplace(editor->WatchText());
        break;
    case CommandId::ScriptRepeat:
        FindDialog().FindNext();
        break;
    case CommandId::MacroNew:
        NewModule();
        break;
    case CommandId::MacroOpen:
        OpenModuleFile();
        break;
    case CommandId::MacroSave:
        SaveEditor(*editor);
        break;
    case CommandId::ScriptPrint:
        PrintModule();
        break;
    default:
        break;
    }
    services_.commandsChanged();
}

void CMacroView::QuickWatch() {
    const QString expression = CurrentEditor()->WatchText();
    std::string value;
    if (!scripts_->Engine().Evaluate(ToStdString(expression), value, stack_->CurrentFrame()))
        value = "<" + value + ">";
    if (script_dialogs::QuickWatch(window(), expression, ToQString(value))) {
        watches_->AddWatch(expression);
        debug_->setCurrentWidget(watches_);
    }
}

void CMacroView::AddWatch() {
    ModuleEditor* editor = CurrentEditor();
    QString expression = editor != nullptr ? editor->WatchText() : QString();
    if (expression.isEmpty()) {
        bool ok = false;
        expression =
            QInputDialog::getText(window(), QStringLiteral("Add Watch"),
                                  QStringLiteral("Expression:"), QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return;
    }
    watches_->AddWatch(expression);
    debug_->setCurrentWidget(watches_);
}

void CMacroView::Browse() {
    SyncModules();
    const std::vector<basic::ProcedureInfo> procedures = scripts_->Engine().Procedures();
    if (procedures.empty()) {
        // Nothing compiles: the errors say why.
        for (const basic::Diagnostic& diagnostic : scripts_->Engine().Diagnostics())
            services_.host.Message(diagnostic.ToString(), true);
        return;
    }
    const std::optional<std::size_t> chosen = script_dialogs::Browse(window(), procedures);
    if (!chosen)
        return;
    const basic::ProcedureInfo& proc = procedures[*chosen];
    ModuleEditor* editor = EditorOf(ToQString(proc.module));
    if (editor == nullptr)
        return;
    modules_->setCurrentWidget(editor);
    editor->setCursorPosition(proc.line - 1, 0);
    editor->ensureLineVisible(proc.line - 1);
    editor->setFocus();
}

void CMacroView::ChooseFont() {
    ModuleEditor* current = CurrentEditor();
    bool ok = false;
    const QFont font = QFontDialog::getFont(
        &ok, current != nullptr ? current->lexer()->defaultFont(0) : this->font(), window(),
        QStringLiteral("Font"), QFontDialog::MonospacedFonts);
    if (!ok)
        return;
    for (ModuleEditor* editor : Editors()) {
        editor->lexer()->setFont(font);
        editor->setMarginsFont(font);
    }
}

void CMacroView::NewModule() {
    ModuleEditor* editor =
        AddEditor(QStringLiteral("Module%1").arg(++newModules_), QString(), QString(), false);
    editor->setText(QStringLiteral("Sub Main\n    \nEnd Sub\n"));
    editor->setModified(false);
    modules_->setCurrentWidget(editor);
    editor->setCursorPosition(1, 4);
    editor->setFocus();
}

void CMacroView::OpenModuleFile() {
    if (const std::optional<QString> path = services_.dialogs.OpenScript(window()))
        OpenModule(*path);
}

bool CMacroView::SaveEditor(ModuleEditor& editor) {
    QString path = editor.Path();
    if (path.isEmpty()) {
        const std::optional<QString> chosen = services_.dialogs.SaveScript(
            window(), editor.Module() + QLatin1Char('.') +
                          QString::fromUtf8(kMacroViewSettings.defaultExtension).toLower());
        if (!chosen)
            return false;
        path = QFileInfo(*chosen).absoluteFilePath();
    }
    // Written whole or not at all, under the rule of every save: a failed save leaves the old
    // file, a read-only one is refused.
    const QByteArray text = editor.text().toUtf8();
    if (const Result<void> saved =
            ReplaceFile(ToStdString(path), std::string_view(text.constData(), text.size()));
        !saved) {
        services_.host.Message(saved.Error().text, true);
        return false;
    }
    if (editor.Path() != path) {
        // Saved under a name: the module is that file from now on.
        if (!loop_->IsRunning())
            scripts_->Engine().RemoveModule(ToStdString(editor.Module()));
        editor.SetPath(path);
        unsynced_.insert(&editor);
        modules_->setTabToolTip(modules_->indexOf(&editor), path);
    }
    editor.setModified(false);
    modules_->setTabText(modules_->indexOf(&editor), editor.TabTitle());
    return true;
}

void CMacroView::PrintModule() {
    ModuleEditor* editor = CurrentEditor();
    QsciPrinter printer;
    printer.setDocName(editor->TabTitle());
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() == QDialog::Accepted)
        printer.printRange(editor);
}

ScriptFindDialog& CMacroView::FindDialog() {
    if (find_ == nullptr)
        find_ = new ScriptFindDialog([this] { return CurrentEditor(); }, this);
    return *find_;
}

} // namespace vek
