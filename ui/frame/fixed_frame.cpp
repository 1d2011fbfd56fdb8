#include "ui/frame/fixed_frame.h"

#include "ui/commands/command_router.h"
#include "ui/commands/ui_strings.h"
#include "ui/frame/child_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/macro_bar.h"
#include "ui/frame/menu_bars.h"
#include "ui/frame/tool_bar_layout.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/frame/window_list.h"
#include "ui/host/text_conversion.h"
#include "ui/watch/live_refresh_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QTimer>

#include "model/macro.h"

namespace vek {

CFixedFrame::CFixedFrame(LedIndicator::Clock clock)
    : mdiArea_(new QMdiArea(this)), statusBar_(new CLedStatusBar(std::move(clock), this)) {
    setObjectName(QStringLiteral("CFixedFrame"));
    setWindowTitle(QString::fromUtf8(UiString(UiStringId::FrameTitle)));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvel.svg")));
    setCentralWidget(mdiArea_);
    // Windows beyond the visible area are reached by scrolling, as in any MDI client; the
    // frame's size never depends on them.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setStatusBar(statusBar_);
    router_ = new CommandRouter(this, [this] { return Route(); });

    mainToolBar_ =
        new CVekToolBar(QStringLiteral("Main toolbar"), MainToolBarSlots(), *router_, this);
    addToolBar(Qt::TopToolBarArea, mainToolBar_);
    // The script toolbar has a row of its own: beside the main toolbar its run buttons would end
    // up behind the overflow button in a window two thirds of a common screen wide.
    addToolBarBreak(Qt::TopToolBarArea);
    scriptToolBar_ =
        new CVekToolBar(QStringLiteral("Sax toolbar"), ScriptToolBarSlots(), *router_, this);
    addToolBar(Qt::TopToolBarArea, scriptToolBar_);
    scriptToolBar_->hide();
    refreshBar_ = new LiveRefreshBar(*router_, this);
    addToolBar(Qt::TopToolBarArea, refreshBar_);
    mainToolBar_->SetChildActiveQuery([this] { return ActiveChild() != nullptr; });
    connect(mainToolBar_, &CVekToolBar::FindBoxFocusChanged, this, [this](bool focused) {
        findBoxFocused_ = focused;
        if (focused)
            ShowPrompt(QString::fromUtf8(UiString(UiStringId::FindBoxPrompt)).section('\n', 0, 0));
    });
    connect(mainToolBar_, &CVekToolBar::FindBoxEnter, this,
            [this] { router_->Execute(CommandId::Enter); });

    menuBars_ = new MenuBars(*menuBar(), *router_);
    windowList_ = new WindowList(*Menu(MenuId::Window), this);
    connect(Menu(MenuId::Macros), &QMenu::aboutToShow, this, &CFixedFrame::FillMacrosMenu);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CFixedFrame::OnSubWindowActivated);
    connect(router_, &CommandRouter::Executed, this, &CFixedFrame::RequestIdleUpdate);

    ShowPrompt(QString::fromUtf8(UiString(UiStringId::IdleMessage)));
    qApp->installEventFilter(this);
}

CFixedFrame::~CFixedFrame() {
    qApp->removeEventFilter(this);
    // The windows go while the frame is still whole: they tell it as they go. Nothing else
    // reaches the frame once its own part is gone.
    disconnect(mdiArea_, nullptr, this, nullptr);
    delete mdiArea_;
    disconnect(mainToolBar_, nullptr, this, nullptr);
}

QMenu* CFixedFrame::Menu(MenuId id) const {
    return menuBars_->Menu(id);
}

void CFixedFrame::AddChild(CChildFrame* child) {
    mdiArea_->addSubWindow(child);
    // A window on its way out is told nothing more.
    connect(child, &CChildFrame::Destroying, this, [this](CChildFrame* window) {
        if (activeChild_ == window)
            activeChild_ = nullptr;
    });
}

CChildFrame* CFixedFrame::ActiveChild() const {
    // The current window stays the active child while a dialog or another program has the
    // focus; a hidden window (the closed output window) is never the active one.
    auto* child = qobject_cast<CChildFrame*>(mdiArea_->currentSubWindow());
    return child != nullptr && !child->isHidden() ? child : nullptr;
}

std::vector<CommandTarget*> CFixedFrame::Route() const {
    std::vector<CommandTarget*> route;
    if (CChildFrame* child = ActiveChild()) {
        route.push_back(child->ActiveView());
        route.push_back(child->DocumentTarget());
        route.push_back(child);
    }
    route.push_back(const_cast<CFixedFrame*>(this));
    route.push_back(application_);
    return route;
}

void CFixedFrame::OnSubWindowActivated(QMdiSubWindow*) {
    CChildFrame* child = ActiveChild();
    if (child == activeChild_)
        return;
    if (activeChild_ != nullptr) {
        CChildFrame* previous = activeChild_;
        activeChild_ = nullptr;
        previous->OnActivated(false);
        windowList_->RebuildWindowMenu(false, previous->MenuTitle());
    }
    activeChild_ = child;
    menuBars_->Show(child != nullptr ? child->MenuBar() : MenuBarId::Tree);
    if (child != nullptr) {
        child->OnActivated(true);
        windowList_->RebuildWindowMenu(true, child->MenuTitle());
    }
    RequestIdleUpdate();
}

void CFixedFrame::FillMacrosMenu() {
    QMenu* menu = Menu(MenuId::Macros);
    menu->clear();
    CChildFrame* child = ActiveChild();
    CMacroBar* bar = child != nullptr ? child->MacroBar() : nullptr;
    if (bar == nullptr)
        return;
    for (int i = 0; i < bar->Count(); ++i) {
        QAction* entry = menu->addAction(ToQString(bar->Macro(i).GetName()));
        entry->setData(command_range::FirstMacro + i);
        connect(entry, &QAction::triggered, bar, [bar, i] { bar->RunMacro(i); });
    }
}

void CFixedFrame::RequestIdleUpdate() {
    if (idlePending_)
        return;
    idlePending_ = true;
    QTimer::singleShot(0, this, &CFixedFrame::OnIdle);
}

void CFixedFrame::OnIdle() {
    idlePending_ = false;
    // During long work the states are left as they were; they are recomputed when it ends.
    if (router_->IsBlocked())
        return;
    router_->UpdateAll();
    Q_EMIT Idle();
}

void CFixedFrame::ShowPrompt(const QString& text) {
    statusBar_->SetPaneText(0, text);
}

std::optional<CommandState> CFixedFrame::QueryCommand(CommandId id) {
    if (const std::optional<RefreshScope> scope = ScopeOfCommand(id))
        return CommandState::Check(true, refreshBar_->Settings().scope == *scope);
    switch (id) {
    case CommandId::ViewToolbar:
        return CommandState::Check(true, !mainToolBar_->isHidden());
    case CommandId::ViewStatusBar:
        return CommandState::Check(true, !statusBar_->isHidden());
    case CommandId::ViewBasicbar:
        return CommandState::Check(true, !scriptToolBar_->isHidden());
    case CommandId::WindowCascade:
    case CommandId::WindowTile:
        return CommandState::Enabled(ActiveChild() != nullptr);
    case CommandId::RedrawDesktop:
        return CommandState::Enabled();
    default:
        return std::nullopt;
    }
}

void CFixedFrame::RunCommand(CommandId id) {
    if (const std::optional<RefreshScope> scope = ScopeOfCommand(id)) {
        refreshBar_->SetScope(*scope);
        return;
    }
    switch (id) {
    case CommandId::ViewToolbar:
        mainToolBar_->setVisible(mainToolBar_->isHidden());
        break;
    case CommandId::ViewStatusBar:
        statusBar_->setVisible(statusBar_->isHidden());
        break;
    case CommandId::ViewBasicbar:
        scriptToolBar_->setVisible(scriptToolBar_->isHidden());
        break;
    case CommandId::WindowCascade:
        mdiArea_->cascadeSubWindows();
        break;
    case CommandId::WindowTile:
        mdiArea_->tileSubWindows();
        break;
    case CommandId::RedrawDesktop:
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                window->repaint();
        }
        break;
    default:
        break;
    }
}

bool CFixedFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        ShowPrompt(tip.isEmpty() ? QString::fromUtf8(UiString(UiStringId::IdleMessage)) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool CFixedFrame::eventFilter(QObject* watched, QEvent* event) {
    // What the old idle loop did after each message: bring the commands' states up to date
    // once the user has done something.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        // A window shown or hidden without an activation (the output window) changes which
        // one counts as active.
        if (auto* child = qobject_cast<CChildFrame*>(watched);
            child != nullptr && child->mdiArea() == mdiArea_)
            OnSubWindowActivated(nullptr);
        break;
    case QEvent::KeyPress:
        if (StepByKeypad(watched, *static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        RequestIdleUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CFixedFrame::StepByKeypad(QObject* watched, const QKeyEvent& key) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || key.modifiers() != Qt::KeypadModifier)
        return false;
    CommandId id;
    if (key.key() == Qt::Key_Plus)
        id = CommandId::IncreaseValue;
    else if (key.key() == Qt::Key_Minus)
        id = CommandId::DecreaseValue;
    else
        return false;
    // A widget that takes the key as text (the find box, the filter field) keeps it, as it keeps
    // the key of any shortcut.
    QKeyEvent probe(QEvent::ShortcutOverride, key.key(), key.modifiers(), key.text());
    probe.ignore();
    QCoreApplication::sendEvent(widget, &probe);
    if (probe.isAccepted() || !router_->Query(id).enabled)
        return false;
    router_->Execute(id);
    return true;
}

void CFixedFrame::closeEvent(QCloseEvent* event) {
    if (closeQuery_ && !closeQuery_()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CFixedFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CFixedFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    Q_EMIT FilesDropped(paths);
}

} // namespace vek
