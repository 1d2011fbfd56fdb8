#include "ui/views/mdi_tree_wnd.h"

#include "document/vek_doc.h"
#include "model/basic_macro.h"
#include "model/vek_macro.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/macro_bar.h"
#include "ui/frame/window_list.h"
#include "ui/script/macro_view.h"
#include "ui/tree/slider_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace vek {

namespace {

constexpr int kTreePane = 0;
constexpr int kScriptPane = 1;

} // namespace

CMDITreeWnd::CMDITreeWnd(CVekDoc& document, const QString& title, CommandTarget* documentTarget,
                         Services services)
    : CChildFrame(WindowKind::Tree, documentTarget), document_(document), title_(title),
      services_(std::move(services)) {
    setWindowTitle(title);
    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    macroBar_ = new CMacroBar(client);
    macroBar_->SetRunner(services_.runMacro);
    column->addWidget(macroBar_);
    auto* row = new QHBoxLayout;
    splitter_ = new QSplitter(Qt::Vertical, client);
    // The tree view takes its place once the window is made (SetTreeView).
    splitter_->addWidget(Placeholder(QString()));
    // The script pane takes its place once the window is made (SetScriptPane).
    splitter_->addWidget(Placeholder(QString()));
    splitter_->setStretchFactor(kTreePane, 3);
    splitter_->setStretchFactor(kScriptPane, 1);
    row->addWidget(splitter_, 1);
    sliderBar_ = new CSliderBar(client);
    row->addWidget(sliderBar_);
    column->addLayout(row, 1);
    setWidget(client);
    services_.scriptToolBar.show();
}

CMDITreeWnd::~CMDITreeWnd() {
    services_.statusBar.SetLedState(LedState::SteadyDark);
}

QWidget* CMDITreeWnd::Placeholder(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

void CMDITreeWnd::ReplacePane(int index, QWidget* widget) {
    QWidget* old = splitter_->widget(index);
    splitter_->replaceWidget(index, widget);
    delete old;
}

void CMDITreeWnd::SetTreeView(QWidget* view, CommandTarget* target) {
    ReplacePane(kTreePane, view);
    treeTarget_ = target;
    // The focus given to the window goes to the tree.
    widget()->setFocusProxy(view);
}

void CMDITreeWnd::SetScriptPane(CMacroView* pane) {
    ReplacePane(kScriptPane, pane);
    scriptPane_ = pane;
}

bool CMDITreeWnd::ScriptBusy() const {
    return scriptPane_ != nullptr && scriptPane_->IsBusy();
}

void CMDITreeWnd::SetCaptionSuffix(const QString& text) {
    setWindowTitle(title_ + QStringLiteral("  :  ") + text);
}

void CMDITreeWnd::FillMacroBar() {
    for (const auto& macro : document_.GetMacros()) {
        if (macro->OnMacroBar())
            macroBar_->AddMacro(*macro);
    }
    for (const auto& macro : document_.GetScriptMacros()) {
        if (macro->OnMacroBar())
            macroBar_->AddMacro(*macro);
    }
}

CommandTarget* CMDITreeWnd::ActiveView() {
    // The pane that has the focus, or had it last while another window was active.
    QWidget* focus = focusWidget();
    QWidget* script = splitter_->widget(kScriptPane);
    if (scriptPane_ != nullptr && focus != nullptr &&
        (script == focus || script->isAncestorOf(focus)))
        return scriptPane_;
    return treeTarget_;
}

void CMDITreeWnd::OnActivated(bool active) {
    if (active && firstActivation_) {
        firstActivation_ = false;
        listed_ = services_.windows.AddWindowName(title_);
    }
    if (!active)
        services_.statusBar.SetLedState(LedState::SteadyDark);
    else if (document_.IsSimulation())
        services_.statusBar.SetLedState(LedState::BlinkRed);
    Q_EMIT Activated(active);
}

std::optional<CommandState> CMDITreeWnd::QueryCommand(CommandId id) {
    switch (id) {
    case CommandId::ViewMacrobar:
        return CommandState::Check(true, !macroBar_->isHidden());
    case CommandId::ViewSliderbar:
        return CommandState::Check(true, !sliderBar_->isHidden());
    case CommandId::RegisterList:
    case CommandId::NextPane:
    case CommandId::PreviousPane:
        return CommandState::Enabled();
    default:
        if (scriptPane_ != nullptr && CMacroView::ServesWholeWindow(id))
            return scriptPane_->QueryCommand(id);
        return std::nullopt;
    }
}

void CMDITreeWnd::RunCommand(CommandId id) {
    switch (id) {
    case CommandId::ViewMacrobar:
        macroBar_->setVisible(macroBar_->isHidden());
        break;
    case CommandId::ViewSliderbar:
        sliderBar_->setVisible(sliderBar_->isHidden());
        break;
    case CommandId::RegisterList:
        services_.showList();
        break;
    case CommandId::NextPane:
        FocusPane(1);
        break;
    case CommandId::PreviousPane:
        FocusPane(-1);
        break;
    default:
        if (scriptPane_ != nullptr && CMacroView::ServesWholeWindow(id))
            scriptPane_->RunCommand(id);
        break;
    }
}

void CMDITreeWnd::FocusPane(int step) {
    const int count = splitter_->count();
    QWidget* focus = focusWidget();
    int current = 0;
    for (int i = 0; i < count; ++i) {
        if (splitter_->widget(i) == focus || splitter_->widget(i)->isAncestorOf(focus))
            current = i;
    }
    splitter_->widget(((current + step) % count + count) % count)->setFocus();
}

void CMDITreeWnd::closeEvent(QCloseEvent* event) {
    switch (scriptPane_ != nullptr ? scriptPane_->QueryClose() : CloseDecision::Close) {
    case CloseDecision::Refuse:
        event->ignore();
        return;
    case CloseDecision::Busy:
        // Closes once the script has ended.
        event->ignore();
        if (!std::exchange(closeRetry_, true))
            QTimer::singleShot(kCloseRetryMs, this, [this] {
                closeRetry_ = false;
                close();
            });
        return;
    case CloseDecision::Close:
        break;
    }
    if (listed_ && services_.windows.RemoveWindowName(title_))
        services_.windows.Refresh();
    listed_ = false;
    CChildFrame::closeEvent(event);
}

} // namespace vek
