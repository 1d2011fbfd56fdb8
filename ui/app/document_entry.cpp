#include "ui/app/document_entry.h"

#include "document/vek_doc.h"
#include "model/basic_macro.h"
#include "platform/host.h"
#include "scripting/script_host.h"
#include "ui/app/app_services.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/frame/child_frame.h"
#include "ui/host/text_conversion.h"

#include <QFileInfo>

#include <algorithm>

namespace vek {

DocumentEntry::DocumentEntry(Host& host, AppServices& services)
    : host_(host), services_(services), document_(std::make_unique<CVekDoc>(host)) {}

DocumentEntry::~DocumentEntry() = default;

QString DocumentEntry::Path() const {
    return ToQString(document_->GetPath());
}

QString DocumentEntry::Title() const {
    return QFileInfo(Path()).fileName();
}

bool DocumentEntry::Open(const QString& path) {
    return document_->OpenDocument(ToStdString(path));
}

FileDialogs& DocumentEntry::Dialogs() const {
    return services_.Dialogs();
}

void DocumentEntry::RunMacro(CMacro& macro) {
    auto* script = dynamic_cast<CBasicMacro*>(&macro);
    if (script != nullptr && script->Runner() != nullptr && script->Runner() != scripts_.get()) {
        // Its window's script pane runs it in slices: nothing to block.
        macro.Run(0);
        return;
    }
    if (script != nullptr && scripts_ == nullptr) {
        // A script's Print lines go to the output window.
        scripts_ = std::make_unique<ScriptHost>(
            host_, [this](const std::string& text) { host_.Message(text, false); });
        scripts_->SetUp(*document_);
    }
    services_.RunBusy([&macro] { macro.Run(0); });
}

void DocumentEntry::RunBusy(const std::function<void()>& work) {
    services_.RunBusy(work);
}

void DocumentEntry::AddWindow(CChildFrame* window) {
    windows_.push_back(window);
}

void DocumentEntry::RemoveWindow(CChildFrame* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

std::optional<CommandState> DocumentEntry::QueryCommand(CommandId id) {
    const CVekDoc& doc = *document_;
    switch (id) {
    case CommandId::FileOpen:
    case CommandId::FileSaveAs:
    case CommandId::FileClose:
        return CommandState::Enabled();
    case CommandId::Simulation:
        return CommandState::Check(true, doc.IsSimulation());
    case CommandId::ReadMacro:
        return CommandState::Check(doc.IsCompiled(), doc.GetFlags().Has(MacroFlag::ReadMacros));
    case CommandId::WriteMacro:
        return CommandState::Check(doc.IsCompiled(), doc.GetFlags().Has(MacroFlag::WriteMacros));
    case CommandId::ResetDriver:
        return CommandState::Enabled(!doc.IsSimulation() && doc.DriverOpened());
    default:
        return std::nullopt;
    }
}

void DocumentEntry::RunCommand(CommandId id) {
    CVekDoc& doc = *document_;
    switch (id) {
    case CommandId::FileOpen:
        OpenValues();
        break;
    case CommandId::FileSaveAs:
        SaveValues();
        break;
    case CommandId::FileClose:
        services_.CloseDocument(*this);
        break;
    case CommandId::Simulation:
        doc.ToggleSimulation();
        break;
    case CommandId::ReadMacro:
        doc.ToggleReadMacros();
        break;
    case CommandId::WriteMacro:
        doc.ToggleWriteMacros();
        break;
    case CommandId::ResetDriver:
        services_.RunBusy([&doc] { doc.ResetDrivers(); });
        break;
    default:
        break;
    }
}

void DocumentEntry::OpenValues() {
    FileDialogs& dialogs = services_.Dialogs();
    QWidget* parent = services_.DialogParent();
    // A document whose path does not look like a description only opens descriptions.
    if (!Path().contains(QStringLiteral("vek"))) {
        if (const std::optional<QString> path = dialogs.OpenDescription(parent))
            services_.OpenDocumentFile(*path);
        return;
    }
    const std::optional<QString> path = dialogs.OpenValuesOrDescription(parent);
    if (!path)
        return;
    if (path->endsWith(QStringLiteral(".vkg"), Qt::CaseInsensitive)) {
        const std::string file = ToStdString(*path);
        services_.RunBusy([this, &file] { document_->LoadValues(file); });
    } else {
        services_.OpenDocumentFile(*path);
    }
}

void DocumentEntry::SaveValues() {
    const std::optional<FileDialogs::ValuesFile> chosen =
        services_.Dialogs().SaveValues(services_.DialogParent());
    // Only a .vkg file is written: another ending saves nothing.
    if (!chosen || QFileInfo(chosen->path).suffix().toLower() != QStringLiteral("vkg"))
        return;
    const std::string file = ToStdString(chosen->path);
    const std::string comment = ToStdString(chosen->comment);
    services_.RunBusy([this, &file, &comment] { document_->SaveValues(file, comment); });
}

} // namespace vek
