#include "ui/views/mdi_out_wnd.h"

#include "ui/views/read_only_text_view.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace vek {

CMDIOutWnd::CMDIOutWnd(WindowKind kind, ReadOnlyTextView* view, CommandTarget* document)
    : CChildFrame(kind, document), view_(view) {
    setWidget(view);
    if (kind == WindowKind::Output)
        setAttribute(Qt::WA_DeleteOnClose, false);
}

CommandTarget* CMDIOutWnd::ActiveView() {
    return view_;
}

void CMDIOutWnd::SavePlacement() {
    placement_ = geometry();
    placementState_ = windowState();
    placed_ = true;
}

void CMDIOutWnd::ShowAtPlacement() {
    if (!isHidden())
        return;
    if (placed_) {
        setWindowState(placementState_);
        if ((placementState_ & (Qt::WindowMaximized | Qt::WindowMinimized)) == 0)
            setGeometry(placement_);
    }
    show();
}

void CMDIOutWnd::closeEvent(QCloseEvent* event) {
    if (Kind() != WindowKind::Output) {
        CChildFrame::closeEvent(event);
        return;
    }
    SavePlacement();
    event->ignore();
    if (mdiArea() != nullptr && mdiArea()->currentSubWindow() == this)
        mdiArea()->activateNextSubWindow();
    hide();
    if (mdiArea() != nullptr) {
        // With no other window to take over, no window is active.
        if (mdiArea()->currentSubWindow() == this)
            mdiArea()->setActiveSubWindow(nullptr);
        mdiArea()->viewport()->update();
    }
}

} // namespace vek
