#pragma once

#include "ui/commands/command_target.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vek {

class AppServices;
class CChildFrame;
class CMacro;
class FileDialogs;
class CVekDoc;
class Host;
class ScriptHost;

// An open description in vek32: the document, the script host its script macros run in, and
// its windows. It handles the document's commands: open and save register values, close,
// simulation, the macro switches and the driver reset.
class DocumentEntry : public CommandTarget {
public:
    DocumentEntry(Host& host, AppServices& services);
    ~DocumentEntry() override;

    CVekDoc& Document() const { return *document_; }
    Host& GetHost() const { return host_; }
    FileDialogs& Dialogs() const;
    // The description's absolute path and its file name, which windows show as the title.
    QString Path() const;
    QString Title() const;

    // Compiles the description and binds its drivers.
    bool Open(const QString& path);
    // Runs a register macro or a script macro of the document. A script macro runs in the
    // script pane of its window; one without a pane runs to its end here, in a script host
    // (with the constants module of every register) built when the first such macro runs.
    void RunMacro(CMacro& macro);
    // Runs a long transfer with every command blocked.
    void RunBusy(const std::function<void()>& work);

    const std::vector<CChildFrame*>& Windows() const { return windows_; }
    void AddWindow(CChildFrame* window);
    void RemoveWindow(CChildFrame* window);

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

private:
    void OpenValues();
    void SaveValues();

    Host& host_;
    AppServices& services_;
    std::unique_ptr<CVekDoc> document_;
    std::unique_ptr<ScriptHost> scripts_; // null until a script macro runs without a pane
    std::vector<CChildFrame*> windows_;
};

} // namespace vek
