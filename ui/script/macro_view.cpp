#include "ui/script/macro_view.h"

#include "document/vek_doc.h"
#include "platform/file_limits.h"
#include "platform/host.h"
#include "platform/text_file.h"
#include "scripting/constants_module.h"
#include "scripting/script_editor_settings.h"
#include "ui/commands/ui_strings.h"
#include "ui/host/text_conversion.h"
#include "ui/script/debug_panels.h"
#include "ui/script/module_editor.h"
#include "ui/script/script_dialogs.h"
#include "ui/script/script_run_loop.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vek {

CMacroView::CMacroView(CVekDoc& document, Services services, QWidget* parent)
    : QWidget(parent), document_(&document), services_(std::move(services)) {
    Host& host = services_.host;
    // A script's Print lines go to the output window.
    scripts_ = std::make_unique<ScriptHost>(
        host, [&host](const std::string& text) { host.Message(text, false); });
    loop_ = new ScriptRunLoop(*scripts_, this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    modules_ = new QTabWidget(splitter_);
    modules_->setDocumentMode(true);
    modules_->setMovable(true);
    debug_ = new QTabWidget(splitter_);
    debug_->setDocumentMode(true);
    watches_ = new WatchList(debug_);
    stack_ = new CallStackView(debug_);
    debug_->addTab(watches_, QStringLiteral("Watch"));
    debug_->addTab(stack_, QStringLiteral("Call Stack"));
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 1);
    column->addWidget(splitter_);
    setFocusProxy(modules_);

    connect(loop_, &ScriptRunLoop::Paused, this, &CMacroView::OnPaused);
    connect(loop_, &ScriptRunLoop::Ended, this, &CMacroView::OnEnded);
    connect(loop_, &ScriptRunLoop::StateChanged, this, [this] {
        SetEditorsReadOnly(loop_->IsRunning());
        services_.commandsChanged();
    });
    connect(stack_, &CallStackView::FrameChosen, this, &CMacroView::ShowFrame);
    connect(modules_, &QTabWidget::currentChanged, this, [this] { services_.commandsChanged(); });
}

CMacroView::~CMacroView() {
    DetachFromDocument();
    // The editors and the run loop go while the engine and the lists they use still exist.
    delete splitter_;
    delete loop_;
}

void CMacroView::DetachFromDocument() {
    if (document_ == nullptr)
        return;
    // The script macros must not run in a pane that is gone.
    for (const auto& macro : document_->GetScriptMacros()) {
        if (macro->Runner() == this)
            macro->SetRunner(nullptr);
    }
    scripts_->Detach();
    document_ = nullptr;
}

void CMacroView::OnInitialUpdate() {
    QWidget* parent = window();
    scripts_->SetMsgBox([parent](const std::string& prompt, int buttons, const std::string& title) {
        return script_dialogs::MsgBox(parent, ToQString(prompt), buttons, ToQString(title));
    });
    scripts_->SetInputBox([parent](const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) -> std::optional<std::string> {
        const std::optional<QString> text = script_dialogs::InputBox(
            parent, ToQString(prompt), ToQString(title), ToQString(defaultText));
        if (!text)
            return std::nullopt;
        return ToStdString(*text);
    });
    scripts_->SetUp(*document_, this);
    for (const std::string& file : scripts_->LoadedFiles())
        OpenModule(ToQString(file));
    // The constants module comes last and stays read-only, as its first line says.
    AddEditor(QString::fromUtf8(kConstantsModuleName), QString(), QString(), true)
        ->SetTextWhenShown([scripts = scripts_.get()]() -> const std::string& {
            return scripts->ConstantsModule();
        });
    modules_->setCurrentIndex(0);
}

ModuleEditor* CMacroView::AddEditor(const QString& module, const QString& path, const QString& text,
                                    bool readOnly) {
    auto* editor = new ModuleEditor(module, path, kMacroViewSettings, modules_);
    editor->setText(text);
    editor->setModified(false);
    editor->SetGenerated(readOnly);
    editor->SetScriptRunning(loop_->IsRunning());
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this,
            [this, editor](const QPoint& at) { ShowContextMenu(*editor, at); });
    connect(editor, &ModuleEditor::BreakpointToggled, this, [this, editor](int line, bool on) {
        scripts_->Engine().SetBreakpoint(ToStdString(editor->Module()), line, on);
    });
    connect(editor, &ModuleEditor::modificationChanged, this, [this, editor] {
        modules_->setTabText(modules_->indexOf(editor), editor->TabTitle());
    });
    connect(editor, &ModuleEditor::textChanged, this, [this, editor] { unsynced_.insert(editor); });
    connect(editor, &ModuleEditor::selectionChanged, this, [this] { services_.commandsChanged(); });
    connect(editor, &QObject::destroyed, this, [this, editor] { unsynced_.erase(editor); });
    const int index = modules_->addTab(editor, editor->TabTitle());
    modules_->setTabToolTip(index, path.isEmpty() ? module : path);
    return editor;
}

ModuleEditor* CMacroView::OpenModule(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    ModuleEditor* open = EditorOf(path);
    if (open == nullptr)
        open = EditorOf(absolute);
    if (open != nullptr) {
        modules_->setCurrentWidget(open);
        return open;
    }
    const Result<std::string> text = ReadTextFile(ToStdString(absolute), kScriptFileLimit);
    if (!text) {
        services_.host.Message(ToStdString(absolute) + ": " + text.Error().text, true);
        return nullptr;
    }
    // The engine knows a script macro's file by the path it was loaded with.
    ModuleEditor* editor = AddEditor(path, absolute, ToQString(text.Value()), false);
    unsynced_.insert(editor);
    modules_->setCurrentWidget(editor);
    return editor;
}

ModuleEditor* CMacroView::CurrentEditor() const {
    return qobject_cast<ModuleEditor*>(modules_->currentWidget());
}

std::vector<ModuleEditor*> CMacroView::Editors() const {
    std::vector<ModuleEditor*> editors;
    for (int i = 0; i < modules_->count(); ++i)
        editors.push_back(qobject_cast<ModuleEditor*>(modules_->widget(i)));
    return editors;
}

ModuleEditor* CMacroView::EditorOf(const QString& module) const {
    for (ModuleEditor* editor : Editors()) {
        if (editor->Module().compare(module, Qt::CaseInsensitive) == 0 ||
            (!editor->Path().isEmpty() && editor->Path() == module))
            return editor;
    }
    return nullptr;
}

void CMacroView::SyncModules() {
    // The engine runs what the editors show, saved or not.
    for (ModuleEditor* editor : unsynced_) {
        if (!editor->IsGenerated())
            scripts_->Engine().SetModule(ToStdString(editor->Module()),
                                         ToStdString(editor->text()));
    }
    unsynced_.clear();
}

bool CMacroView::IsBusy() const {
    return loop_->IsRunning();
}

void CMacroView::RunFile(const std::string& quotedPath) {
    const QString path = ToQString(Unquoted(quotedPath));
    if (IsBusy()) {
        services_.host.Message("A script is running: end it before you start " +
                                   ToStdString(QFileInfo(path).fileName()),
                               true);
        return;
    }
    if (ModuleEditor* editor = OpenModule(path))
        StartModule(editor->Module(), basic::StepMode::None);
}

bool CMacroView::RunCurrent(basic::StepMode firstStep) {
    ModuleEditor* editor = CurrentEditor();
    if (editor == nullptr)
        return false;
    return StartModule(editor->Module(), firstStep);
}

bool CMacroView::StartModule(const QString& module, basic::StepMode firstStep) {
    for (ModuleEditor* editor : Editors())
        editor->ClearRunMarks();
    SyncModules();
    // Main of the module; without one, the procedure the caret stands in.
    std::string procedure = "Main";
    const std::string name = ToStdString(module);
    const std::vector<basic::ProcedureInfo> procedures = scripts_->Engine().Procedures();
    const bool hasMain = std::any_of(procedures.begin(), procedures.end(), [&](const auto& p) {
        return QString::fromStdString(p.module).compare(module, Qt::CaseInsensitive) == 0 &&
               QString::fromStdString(p.name).compare(QStringLiteral("Main"),
                                                      Qt::CaseInsensitive) == 0;
    });
    ModuleEditor* editor = EditorOf(module);
    if (!hasMain && editor != nullptr) {
        const int caret = editor->CaretLine();
        for (const basic::ProcedureInfo& p : procedures) {
            if (QString::fromStdString(p.module).compare(module, Qt::CaseInsensitive) == 0 &&
                p.line <= caret && p.parameters == 0)
                procedure = p.name;
        }
    }
    if (loop_->Start(name, procedure, firstStep))
        return true;
    // Could not start: a compile error or no procedure; the output window has the lines.
    const std::vector<basic::Diagnostic>& diagnostics = scripts_->Engine().Diagnostics();
    if (!diagnostics.empty()) {
        if (ModuleEditor* failed = EditorOf(ToQString(diagnostics.front().module))) {
            failed->MarkError(diagnostics.front().line);
            FocusEditor(*failed);
        }
    }
    return false;
}

void CMacroView::StepOrRun(basic::StepMode mode) {
    if (loop_->State() == basic::RunState::Paused)
        loop_->Resume(mode);
    else if (!loop_->IsRunning())
        RunCurrent(mode);
}

void CMacroView::RunToCursor() {
    ModuleEditor* editor = CurrentEditor();
    if (editor == nullptr)
        return;
    // The caret's line before a start from rest moves the caret to the first statement.
    const int line = editor->CaretLine();
    const std::string module = ToStdString(editor->Module());
    // From rest the script starts paused before its first statement, then runs to the line.
    if (!loop_->IsRunning() && !RunCurrent(basic::StepMode::Into))
        return;
    loop_->RunToLine(module, line);
}

void CMacroView::OnPaused() {
    const basic::SourceLocation where = scripts_->Engine().CurrentLocation();
    stack_->Refresh(scripts_->Engine());
    ShowFrame(0, ToQString(where.module), where.line);
    debug_->show();
}

void CMacroView::ShowFrame(std::size_t frame, const QString& module, int line) {
    ModuleEditor* editor = EditorOf(module);
    if (editor == nullptr && QFileInfo(module).isFile())
        editor = OpenModule(module);
    if (editor != nullptr) {
        for (ModuleEditor* other : Editors())
            other->ShowCurrentLine(0);
        modules_->setCurrentWidget(editor);
        editor->ShowCurrentLine(line);
    }
    watches_->Refresh(scripts_->Engine(), frame);
}

void CMacroView::OnEnded(bool finished) {
    for (ModuleEditor* editor : Editors())
        editor->ClearRunMarks();
    stack_->Refresh(scripts_->Engine());
    watches_->Refresh(scripts_->Engine(), 0);
    if (finished)
        return;
    // A run-time error: its line marked; the text is in the output window already.
    const basic::RunErrorInfo& error = scripts_->Engine().LastError();
    if (error.number == 0 || error.line <= 0)
        return;
    ModuleEditor* editor = EditorOf(ToQString(error.module));
    if (editor == nullptr)
        return;
    editor->MarkError(error.line);
    FocusEditor(*editor);
}

void CMacroView::FocusEditor(ModuleEditor& editor) {
    // The output window, which shows the error, took the activation: the marked line is
    // where the user goes on.
    modules_->setCurrentWidget(&editor);
    for (QWidget* widget = parentWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(widget)) {
            if (window->mdiArea() != nullptr)
                window->mdiArea()->setActiveSubWindow(window);
            break;
        }
    }
    editor.setFocus();
}

void CMacroView::SetEditorsReadOnly(bool running) {
    for (ModuleEditor* editor : Editors())
        editor->SetScriptRunning(running);
}

CloseDecision CMacroView::QueryClose() {
    if (IsBusy())
        return CloseDecision::Busy;
    for (ModuleEditor* editor : Editors()) {
        if (!editor->isModified() || editor->IsGenerated())
            continue;
        modules_->setCurrentWidget(editor);
        const auto answer = QMessageBox::question(
            window(), QString::fromUtf8(UiString(UiStringId::AppTitle)),
            QStringLiteral("Save changes to %1?").arg(editor->TabTitle().chopped(1)),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !SaveEditor(*editor)))
            return CloseDecision::Refuse;
    }
    return CloseDecision::Close;
}

void CMacroView::ShowContextMenu(ModuleEditor& editor, const QPoint& at) {
    static constexpr CommandId kEntries[] = {
        CommandId::EditUndo,      CommandId::EditRedo,   CommandId::EditCut,
        CommandId::EditCopy,      CommandId::EditPaste,  CommandId::EditErase,
        CommandId::EditSelectAll, CommandId::ScriptFind, CommandId::ScriptReplace,
        CommandId::ScriptRepeat,  CommandId::ScriptRun,  CommandId::StepInto,
        CommandId::StepOver,      CommandId::StepOut,    CommandId::StepToCursor,
        CommandId::ToggleBreak,   CommandId::QuickWatch, CommandId::AddWatch,
        CommandId::ScriptBrowse,  CommandId::ScriptFont};
    services_.commandsChanged();
    QMenu menu(&editor);
    for (CommandId id : kEntries) {
        // A separator between the groups: editing, finding, running, debugging.
        if (id == CommandId::ScriptFind || id == CommandId::ScriptRun ||
            id == CommandId::ToggleBreak || id == CommandId::ScriptBrowse)
            menu.addSeparator();
        if (QAction* action = services_.action(id))
            menu.addAction(action);
    }
    menu.exec(editor.mapToGlobal(at));
}

} // namespace vek
