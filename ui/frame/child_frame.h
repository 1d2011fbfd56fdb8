#pragma once

#include "ui/commands/command_target.h"
#include "ui/commands/menu_layout.h"

#include <QMdiSubWindow>

namespace vek {

class CMacroBar;

// The kinds of window inside the main frame. The source view is vek32's own: it shows a
// description read-only at the line of a diagnostic, with the output window's menu bar.
enum class WindowKind { Tree, Output, List, Source };

// A window inside the main frame. On a command's route it stands between the active view with
// its document and the main frame; it knows which menu bar to show while it is active.
class CChildFrame : public QMdiSubWindow, public CommandTarget {
    Q_OBJECT

public:
    CChildFrame(WindowKind kind, CommandTarget* document);
    ~CChildFrame() override;

    WindowKind Kind() const { return kind_; }
    MenuBarId MenuBar() const;
    // The view that gets the commands first (the pane with the focus); may be null.
    virtual CommandTarget* ActiveView() = 0;
    // The document's commands, null for windows without a description.
    CommandTarget* DocumentTarget() const { return document_; }
    // The macro bar of a register tree window, null for the other kinds.
    virtual CMacroBar* MacroBar() { return nullptr; }
    // The title the Window menu knows the window by.
    virtual QString MenuTitle() const { return windowTitle(); }
    // Told when the window becomes the active one or stops being it.
    virtual void OnActivated(bool /*active*/) {}

    std::optional<CommandState> QueryCommand(CommandId) override { return std::nullopt; }
    void RunCommand(CommandId) override {}

Q_SIGNALS:
    // While the window is being destroyed, before the MDI area learns of it.
    void Destroying(vek::CChildFrame* window);

private:
    WindowKind kind_;
    CommandTarget* document_;
};

} // namespace vek
