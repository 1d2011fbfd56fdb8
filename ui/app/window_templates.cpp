#include "ui/app/window_templates.h"

#include "ui/app/document_entry.h"
#include "ui/commands/command_router.h"
#include "ui/commands/ui_strings.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/script/macro_view.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/slider_bar.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_out_wnd.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/source_view.h"
#include "ui/views/vek_list_view.h"
#include "ui/views/vek_out_view.h"
#include "ui/watch/live_refresh_bar.h"

#include <QFileInfo>
#include <QMdiArea>

namespace vek {

namespace {

// Each new window a little below and right of the one before.
constexpr int kCascadeStep = 24;
constexpr int kCascadeCount = 6;

} // namespace

WindowTemplates::WindowTemplates(CFixedFrame& frame, Adopt adopt, PlotValue plot)
    : frame_(frame), adopt_(std::move(adopt)), plot_(std::move(plot)) {}

CMDIOutWnd* WindowTemplates::CreateOutput(FileDialogs& dialogs) {
    auto* view = new CVekOutView(dialogs, nullptr);
    auto* window = new CMDIOutWnd(WindowKind::Output, view, nullptr);
    window->setWindowTitle(QString::fromUtf8(UiString(UiStringId::OutputTitle)));
    QObject::connect(view, &CVekOutView::CloseRequested, window, &QWidget::close);
    frame_.AddChild(window);
    window->hide();
    return window;
}

CMDITreeWnd* WindowTemplates::CreateTree(DocumentEntry& entry, ShowKind showList) {
    CMDITreeWnd::Services services{frame_.Windows(), frame_.StatusBar(), frame_.ScriptToolBar(),
                                   [&entry](CMacro& macro) { entry.RunMacro(macro); },
                                   [&entry, showList] { showList(entry); }};
    auto* window = new CMDITreeWnd(entry.Document(), entry.Title(), &entry, services);
    auto* view = new CVekTreeView(
        entry.Document(),
        {frame_.StatusBar(), window->SliderBar(),
         [&entry](const std::function<void()>& work) { entry.RunBusy(work); },
         frame_.MainToolBar().FindBox(), [this] { return frame_.FindBoxFocused(); },
         [this] { frame_.Router().Execute(CommandId::FindString); }, &frame_,
         frame_.RefreshBar().Settings(), [this] { return frame_.Router().IsBlocked(); },
         [this, &entry](const CVarItem& item) { plot_(item, entry.Document()); }},
        nullptr);
    window->SetTreeView(view, view);
    auto* script = new CMacroView(entry.Document(),
                                  {entry.GetHost(),
                                   [this](CommandId id) { return frame_.Router().Action(id); },
                                   [this] { frame_.Router().UpdateAll(); }, entry.Dialogs()},
                                  nullptr);
    window->SetScriptPane(script);
    // A window closed by the user is deleted later, and its document may go first.
    QObject::connect(window, &CChildFrame::Destroying, view, &CVekTreeView::DetachFromDocument);
    QObject::connect(window, &CChildFrame::Destroying, script, &CMacroView::DetachFromDocument);
    view->OnInitialUpdate();
    script->OnInitialUpdate();
    window->FillMacroBar();
    QObject::connect(window, &CMDITreeWnd::Activated, view, &CVekTreeView::OnActivated);
    // The idle update: the slider bar follows its items and the status bar the caret row.
    QObject::connect(&frame_, &CFixedFrame::Idle, view, [this, window, view] {
        if (frame_.ActiveChild() != window)
            return;
        window->SliderBar().UpdateSlots();
        if (window->ActiveView() == view)
            view->ReportStatus();
    });
    Show(window, &entry);
    return window;
}

CMDIOutWnd* WindowTemplates::CreateList(DocumentEntry& entry, ShowKind showTree) {
    auto* view = new CVekListView(
        entry.Document(), [&entry, showTree] { showTree(entry); }, nullptr);
    auto* window = new CMDIOutWnd(WindowKind::List, view, &entry);
    window->setWindowTitle(entry.Title() + QStringLiteral(" - Register List"));
    Show(window, &entry);
    return window;
}

CSourceView* WindowTemplates::FindSource(const QString& path) const {
    for (QMdiSubWindow* sub : frame_.MdiArea().subWindowList()) {
        auto* window = qobject_cast<CMDIOutWnd*>(sub);
        auto* source = window != nullptr ? qobject_cast<CSourceView*>(&window->View()) : nullptr;
        if (source != nullptr && source->Path() == path)
            return source;
    }
    return nullptr;
}

CMDIOutWnd* WindowTemplates::CreateSource(CSourceView* view) {
    auto* window = new CMDIOutWnd(WindowKind::Source, view, nullptr);
    window->setWindowTitle(QFileInfo(view->Path()).fileName() + QStringLiteral(" - Source"));
    QObject::connect(view, &CSourceView::CloseRequested, window, &QWidget::close);
    Show(window, nullptr);
    return window;
}

QRect WindowTemplates::OutputPlacement() const {
    const QSize area = frame_.MdiArea().viewport()->size();
    const int top = area.height() * 2 / 3;
    return {0, top, area.width(), area.height() - top};
}

QRect WindowTemplates::NextPlacement() const {
    const QSize area = frame_.MdiArea().viewport()->size();
    const auto windows = frame_.MdiArea().subWindowList();
    const int shown = static_cast<int>(std::count_if(
        windows.begin(), windows.end(), [](const QMdiSubWindow* w) { return !w->isHidden(); }));
    const int offset = (shown % kCascadeCount) * kCascadeStep;
    return {offset, offset, area.width() * 3 / 4, area.height() * 2 / 3};
}

void WindowTemplates::Show(CChildFrame* window, DocumentEntry* entry) {
    const QRect place = NextPlacement();
    frame_.AddChild(window);
    adopt_(window, entry);
    window->setGeometry(place);
    window->show();
    frame_.MdiArea().setActiveSubWindow(window);
    // The main window's focus follows, so that it comes back here when the window is activated.
    window->widget()->setFocus();
}

} // namespace vek
