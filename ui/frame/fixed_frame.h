#pragma once

#include "ui/commands/command_target.h"
#include "ui/commands/menu_layout.h"
#include "ui/frame/led_indicator.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace vek {

class CChildFrame;
class CLedStatusBar;
class CommandRouter;
class CVekToolBar;
class LiveRefreshBar;
class MenuBars;
class WindowList;

// The main window: the MDI area with the child windows, the main, script and live refresh
// toolbars, the LED status bar and the menu bars. It wires them together and routes every
// command: active view, its document, its child frame, this frame, then the application.
class CFixedFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    explicit CFixedFrame(LedIndicator::Clock clock);
    ~CFixedFrame() override;

    // The last target on every command's route.
    void SetApplicationTarget(CommandTarget* application) { application_ = application; }
    // Asked before the frame closes; false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }

    QMdiArea& MdiArea() const { return *mdiArea_; }
    CommandRouter& Router() const { return *router_; }
    CLedStatusBar& StatusBar() const { return *statusBar_; }
    CVekToolBar& MainToolBar() const { return *mainToolBar_; }
    CVekToolBar& ScriptToolBar() const { return *scriptToolBar_; }
    LiveRefreshBar& RefreshBar() const { return *refreshBar_; }
    WindowList& Windows() const { return *windowList_; }
    MenuBars& Menus() const { return *menuBars_; }
    QMenu* Menu(MenuId id) const;

    // Puts a child window into the MDI area.
    void AddChild(CChildFrame* child);
    CChildFrame* ActiveChild() const;
    // While the find box has the keyboard focus.
    bool FindBoxFocused() const { return findBoxFocused_; }
    // Fills the Macros menu from the active register tree window's macro bar.
    void FillMacrosMenu();

    // Recomputes the commands' states (and lets views report) once the current event is done.
    void RequestIdleUpdate();

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

Q_SIGNALS:
    void FilesDropped(const QStringList& paths);
    // After the commands' states were recomputed.
    void Idle();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnIdle();
    std::vector<CommandTarget*> Route() const;
    void ShowPrompt(const QString& text);
    // The numeric pad's "+" and "-" run Increase value and Decrease value wherever those are
    // enabled. X11's key mapping drops the numeric pad from the keys it matches against
    // shortcuts, so the keys reach the focus widget (where the tree would open or close the row)
    // instead of the menu commands. True when the key was used.
    bool StepByKeypad(QObject* watched, const QKeyEvent& key);

    QMdiArea* mdiArea_;
    CLedStatusBar* statusBar_;
    CommandRouter* router_;
    CVekToolBar* mainToolBar_;
    CVekToolBar* scriptToolBar_;
    LiveRefreshBar* refreshBar_;
    MenuBars* menuBars_;
    WindowList* windowList_;
    CommandTarget* application_ = nullptr;
    QPointer<CChildFrame> activeChild_;
    std::function<bool()> closeQuery_;
    bool findBoxFocused_ = false;
    bool idlePending_ = false;
};

} // namespace vek
